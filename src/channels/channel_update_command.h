#pragma once

#include "plugin/feature_services.h"
#include "plugin/plugin.h"

#include <QString>

#include <functional>
#include <string>

namespace narrix {

class TfrmUpdate;

// actUpdate, "Channel &Update..." (Ctrl+H): saves schedule.nxl, shows Channel Update and merges the
// channels it hands back into the schedule list with the rule of loading a list file. The hand-over
// stays in memory, so schedule.nxl keeps the whole list until the next save, whatever ends the
// program in between.
class ChannelUpdateCommand final : public Plugin
{
public:
    // `address` gives the channel list's address when the command runs; `installedList`, the channel
    // list installed with the program, is offered when the download fails (empty: nothing offered).
    explicit ChannelUpdateCommand(std::function<std::string()> address = {}, QString installedList = {});

    void attach(PluginContext& context) override;
    void run();

private:
    std::function<std::string()> address_;
    QString installedList_;
    PluginContext* context_ = nullptr;
};

} // namespace narrix
