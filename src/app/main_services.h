#pragma once

// The services through which the main window reaches the subsystems built beside it. Each interface
// has do-nothing defaults, so the window starts, speaks and shuts down before its subsystem exists.
//
// How a subsystem plugs in (without a new member in TfMain):
// - It serves one of the call sites below (tray, single instance, keyboard hook, transfers, tips and
//   updates, document): derive from that interface, override what it does, and hand an instance to
//   TfMain in MainServices (main.cpp creates and owns it; tests pass the fakes of tests/fakes/).
// - It brings commands of its own (channels and scheduler, list commands, clipboard and time speech,
//   options and help, voices and device): derive from MainPlugin and add it to MainServices::plugins.
//   attach() runs once the window is built (connect to window.actions(), keep the references you
//   need); startUp() runs at the end of the start-up, after the settings are read and the engine is
//   prepared; shutDown() runs before the schedule list and the settings are written. Speak through
//   window.SpeakBuffer(SpeechSource::...) after filling window.readingState().speechBuffer, show
//   dialogs through window.modal(), change settings through window.applySettings().
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

// The keyboard-hook library of real-time speech.
class RealtimeHookService
{
public:
    virtual ~RealtimeHookService() = default;
    // Forgets keys held down in the key map.
    virtual void resetKeyState() {}
    virtual void connectHook() {}
    virtual void disconnectHook() {}
};

// Internet transfers and e-mail.
class TransferService
{
public:
    virtual ~TransferService() = default;
    // Fetches a local file, web address or mailbox address and speaks it as a scheduled speech.
    virtual void retrieveChannel(const QString& /*address*/) {}
    // Aborts the HTTP client's socket when a connection is open (Esc, close).
    virtual void abortHttpTransfer() {}
    // Closes the POP3 connection when one is open (actDisEmail).
    virtual void disconnectEmail() {}
};

// The tip of the day and the offers of the first run.
class TipsUpdatesService
{
public:
    virtual ~TipsUpdatesService() = default;
    virtual void showTipOfTheDay() {}
    virtual void runChannelUpdate() {}
    // Opens the voices web page.
    virtual void openVoiceGuide() {}
};

// The document editor's part in start-up and close.
class DocumentService
{
public:
    virtual ~DocumentService() = default;
    // The save-changes prompt: false when the user cancels or saving fails.
    virtual bool confirmSaveChanges() { return true; }
    // Starts or stops accepting files dropped on the window.
    virtual void acceptDroppedFiles(bool /*accept*/) {}
    // The whole document's text, also while a long file is still filling the editor; none when the
    // editor's own text is all there is.
    virtual std::optional<QString> documentText() const { return std::nullopt; }
};

// A subsystem with commands of its own (see the top of this file).
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
    std::vector<MainPlugin*> plugins;
    // The installed starter list that fills the schedule list on a first start (no schedule.nxl yet);
    // empty: none.
    QString starterList;
};

} // namespace narrix
