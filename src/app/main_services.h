#pragma once

// The services through which the main window reaches the subsystems built beside it. Each interface
// has do-nothing defaults, so the window starts, speaks and shuts down before its subsystem exists.
//
// How a subsystem plugs in (without a new member in TfMain):
// - It serves one of the call sites of plugin/feature_services.h or below (tray, single instance,
//   keyboard hook, transfers, tips and updates, document): derive from that interface, override what
//   it does, and hand an instance to TfMain in MainServices (main.cpp creates and owns it; tests pass
//   the fakes of tests/fakes/).
// - It brings commands of its own: derive from Plugin (plugin/plugin.h) and add it to
//   MainServices::plugins. It reaches the window only through the PluginContext given to attach():
//   speak(), modal(), setStatusText(), settings() and changeSettings(), and the signals of the
//   reading states.
#include "plugin/feature_services.h"
#include "plugin/plugin.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QLabel;

namespace narrix {

class TfMain;
struct Settings;

// The tray icon, its animation while speaking and the logo animation of the band bar.
class TrayService
{
public:
    virtual ~TrayService() = default;
    virtual void createTrayIcon() {}
    // Gives the tray icon the pictures of the theme (Settings::theme and the three icon paths).
    virtual void applyTheme() {}
    // The same for a settings record not yet the window's (the options dialog after OK).
    virtual void applyThemeSettings(const Settings& /*settings*/) {}
    // Gives the logo place its animation clip.
    virtual void loadLogoAnimation(QLabel& /*logo*/) {}
    // Handlers run when the application is minimised and restored.
    virtual void installMinimizeRestoreHooks() {}
    virtual void startSpeakingAnimation() {}
    virtual void stopSpeakingAnimation() {}
    virtual void setAnimationDelay(int /*milliseconds*/) {}
    virtual void showStillPicture() {}
    virtual void freeTrayIcon() {}
};

// The single-instance hand-over.
class SingleInstanceService
{
public:
    virtual ~SingleInstanceService() = default;
    // True when another instance runs: `arguments` were handed to it and this one must end.
    virtual bool handOverToRunningInstance(const QStringList& /*arguments*/) { return false; }
};

// A part of the window itself (the tray, the single-instance hand-over): it reaches the whole window.
// attach(), startUp() and shutDown() run as a Plugin's do, after the plugins'.
class MainPlugin
{
public:
    virtual ~MainPlugin() = default;
    virtual void attach(TfMain& /*window*/) {}
    virtual void startUp() {}
    virtual void shutDown() {}
};

// What main.cpp (or a test) hands to TfMain. A null service is the do-nothing one; the window does
// not own any of them.
struct MainServices
{
    TrayService* tray = nullptr;
    SingleInstanceService* singleInstance = nullptr;
    RealtimeHookService* realtimeHook = nullptr;
    TransferService* transfers = nullptr;
    TipsUpdatesService* tips = nullptr;
    DocumentService* document = nullptr;
    std::vector<Plugin*> plugins;
    std::vector<MainPlugin*> windowParts;
    // The installed starter list that fills the schedule list on a first start (no schedule.nxl yet);
    // empty: none.
    QString starterList;
};

} // namespace narrix
