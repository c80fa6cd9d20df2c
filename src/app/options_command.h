#pragma once

#include "app/main_services.h"

#include <functional>

namespace narrix {

class DesktopOpener;

// The View menu's "Options...": shows the options dialog on the window's settings. OK puts the values
// into the settings at once, forgets the last time announcement (so the next mark is told under the
// new setting) and gives the tray icon the chosen theme; Cancel changes nothing.
class OptionsCommand final : public MainPlugin
{
public:
    // `forgetLastAnnouncement` resets the time announcements' memory (none: nothing to reset).
    OptionsCommand(DesktopOpener& desktop, std::function<void()> forgetLastAnnouncement = {});

    void attach(TfMain& window) override;
    // Shows the dialog; true when it was accepted.
    bool showOptions();

private:
    DesktopOpener& desktop_;
    std::function<void()> forgetLastAnnouncement_;
    TfMain* window_ = nullptr;
};

} // namespace narrix
