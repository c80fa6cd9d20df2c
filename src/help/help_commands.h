#pragma once

#include "dialogs/link_labels.h"
#include "plugin/feature_services.h"
#include "plugin/plugin.h"

#include <QString>

namespace narrix {

class DesktopOpener;
class SettingsStore;

// Where the help commands find their files; the defaults are the program's own places.
struct HelpFiles
{
    QString tipsFile;        // the data folder's Tips.txt
    QString shippedTipsFile; // the copy shipped with the program, copied on first use
    QString manual;          // the manual's first page; empty when it was not found
};
HelpFiles installedHelpFiles();

// The Help menu (contents, tip of the day, home page, support mail, about box), the Tools menu's
// "Channel Guide...", and the tip of the day and voice guide offered at the first activation.
class HelpCommands final : public Plugin, public TipsUpdatesService
{
public:
    HelpCommands(DesktopOpener& desktop, SettingsStore& store, HelpFiles files = installedHelpFiles());

    void attach(PluginContext& context) override;

    // The tip dialog on Tips.txt; closing it saves the rotated tips and writes ShowTips at once.
    void showTipOfTheDay() override;
    // Channel Update is a command of its own (Speech menu): run it when it is there.
    void runChannelUpdate() override;
    void openVoiceGuide() override;

    void showContents();
    void showAbout();

private:
    DesktopOpener& desktop_;
    SettingsStore& store_;
    HelpFiles files_;
    TQMSurfTo surf_;
    PluginContext* context_ = nullptr;
};

} // namespace narrix
