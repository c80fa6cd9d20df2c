#pragma once

#include "plugin/feature_services.h"
#include "plugin/plugin.h"

#include <functional>

namespace narrix {

class AutostartEntry;
class DesktopOpener;
class GlobalShortcuts;

// The View menu's "Options...": shows the options dialog on the window's settings. OK puts the values
// into the settings at once, forgets the last time announcement (so the next mark is told under the
// new setting) and gives the tray icon the chosen theme; Cancel changes nothing.
class OptionsCommand final : public Plugin
{
public:
    // `forgetLastAnnouncement` resets the time announcements' memory (none: nothing to reset).
    OptionsCommand(DesktopOpener& desktop, std::function<void()> forgetLastAnnouncement = {});

    // "Start with the session" shows and sets whether `entry` is there (none: the box does nothing).
    void setAutostart(const AutostartEntry* entry) { autostart_ = entry; }
    // The Shortcuts group's note says how `shortcuts` registers the keys (none: no note).
    void setGlobalShortcuts(const GlobalShortcuts* shortcuts) { globalShortcuts_ = shortcuts; }

    void attach(PluginContext& context) override;
    // Shows the dialog; true when it was accepted.
    bool showOptions();

private:
    DesktopOpener& desktop_;
    std::function<void()> forgetLastAnnouncement_;
    PluginContext* context_ = nullptr;
    const AutostartEntry* autostart_ = nullptr;
    const GlobalShortcuts* globalShortcuts_ = nullptr;
};

} // namespace narrix
