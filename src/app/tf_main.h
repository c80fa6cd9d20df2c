#pragma once

#include "app/main_reading_host.h"
#include "app/main_services.h"
#include "app/program_state.h"
#include "base/transfer_flags.h"
#include "plugin/main_actions.h"
#include "plugin/modal_dialogs.h"
#include "settings/settings.h"
#include "settings/settings_codec.h"
#include "speech/reading_control.h"

#include <QMainWindow>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QTreeView;

namespace narrix {

class LocaleAdapter;
class PluginContext;
class ScheduleListModel;
class SettingsStore;
class SpeechEngine;
class SplitterBar;

// The main window. It owns every long-lived object and the program-wide state. Construction builds
// the widgets; FormCreate() is the start-up sequence and FormDestroy() the shutdown sequence (run
// once, from the application's aboutToQuit or at the latest from the destructor).
class TfMain : public QMainWindow
{
    Q_OBJECT
public:
    TfMain(SpeechEngine& engine, SettingsStore& store, Prompter& prompter, const LocaleAdapter& locale,
           const MainServices& services = {}, QWidget* parent = nullptr);
    ~TfMain() override;

    // Start-up sequence. `arguments` are the command-line arguments without the program name.
    void FormCreate(const QStringList& arguments);
    // The start-up's greeting waits until the window's first show has been painted: synthesising it
    // while the window is built and shown slows the first paint. Speech from any source before then
    // says the greeting first. Off unless set (before FormCreate).
    void setGreetingAfterFirstShow(bool after) { greetingAfterFirstShow_ = after; }
    // Shutdown sequence; later calls do nothing.
    void FormDestroy();

    const ProgramState& state() const { return state_; }
    // What the speech sources share: the speech text buffer, the current source, the speaking flag.
    ReadingState& readingState() { return state_.reading; }
    // The plugins' shared transfer flags (Esc and the close ask the running transfer to stop).
    TransferFlags& transfers();
    const Settings& settings() const { return settings_; }
    // Takes a changed settings record (the options dialog's) and shows what it changes in the window.
    void applySettings(const Settings& settings);
    const MainActions& actions() const { return actions_; }
    ModalDialogs& modal() { return modal_; }
    SpeechEngine& tts() { return engine_; }
    QTextEdit* editor() const { return documentEditor_; }
    QTreeView* scheduleList() const { return scheduleList_; }
    // The rows of scheduleList_: the schedule items in list order.
    ScheduleListModel& scheduleItems() { return *scheduleModel_; }
    QPlainTextEdit* realTimeMemo() const { return RealTime; }

    void setStatusText(const QString& text);
    QString statusText() const;
    void setDocumentTitle(const QString& title);

    // Hands the speech text buffer to the engine as speech from `source`.
    void SpeakBuffer(SpeechSource source);
    // Puts `text` into the speech text buffer (and `title` as the running item's title) and speaks it.
    void speakText(SpeechSource source, std::string text, std::optional<std::string> title);
    // What the plugins see of the window.
    PluginContext& pluginContext() { return *pluginContext_; }
    // The reading commands, the arbitration between the speech sources and the engine's events.
    ReadingControl& reading();
    // Enables Play, Pause, Rewind, Fast Forward and Stop as the engine's state allows (run when idle).
    void UpdateReadingActions();
    // The services of the subsystems built beside the window (do-nothing ones where none was given).
    TrayService& tray() { return *services_.tray; }
    TransferService& transferService() { return *services_.transfers; }
    DocumentService& document() { return *services_.document; }

    // Remembers the current state as the state before start-minimised and minimises the window.
    void MinimizeAtStart();
    // The minimise and restore hooks (the tray): the minimised flag and the window start state.
    void setMinimizedFlag(bool minimized) { state_.minimized = minimized; }
    void setWindowStartState(WindowStartState startState) { settings_.windowStartState = startState; }
    // Shows or hides the toolbar band and the logo from view-toolbar and view-logo.
    void ArrangeBandBar();
    // Lays the panes out for the current client size and the stored ratios.
    void LayoutPanes();

    // SIGTERM/SIGINT: close through the normal close request; a second one while a prompt is open ends
    // the program.
    void TerminationRequested();
    // The session is ending (logout): store the settings now.
    void CommitSessionData();

    // Start-up stopped at an error (the rest of the sequence was skipped).
    bool startUpIncomplete() const { return startUpIncomplete_; }

    // Called when an e-mail transfer or HTTP transfer should stop (Esc).
    void EscapePressed();

    // Writes scheduleList_ to schedule.nxl (shutdown, Channel Update); false, with the failure reported,
    // when it was not written.
    bool SaveScheduleList();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction.
    void buildBandBar();
    void buildPanes();
    void buildStatusBar();
    void connectActions();
    void connectReading();

    // Start-up and shutdown steps.
    bool startUpSteps();
    void resetStartUpFlags();
    void tickSpeechSwitches();
    bool endIfAnotherInstanceRuns();
    void prepareEngine();
    void connectSubsystems();
    void applyFonts();
    bool readStoredSettings();
    void applyBound(WindowBound bound, int value);
    void applyWindowStartState();
    void applyViewSwitches();
    void resetRunTimeState();
    void speakGreetingOrArgument();
    void speakGreeting();
    void speakPendingGreeting();
    void markShownByWindow(std::initializer_list<const char16_t*> names);
    bool valueShownByWindow(const QString& name) const;
    SettingsTexts shutdownTexts(bool applyWindowChanges);
    void writeStoredSettings(const SettingsTexts& texts);

    // Close request and activation.
    bool FormCloseQuery();
    void FormClose();
    void FormShow();
    void FormActivate();
    void ShowFirstRunOffers();

    // Layout.
    void layoutRightPane();
    void setListColumns();
    void onSplitDragged(int wantedPosition);
    void onSplitter1Dragged(int wantedPosition);
    bool ownsWidget(QObject* object) const;
    static bool isInPlaceEditor(QObject* object);
    bool isOurShortcut(const QKeySequence& keys) const;

    // The schedule list file.
    void LoadScheduleList();

    SpeechEngine& engine_;
    SettingsStore& store_;
    const LocaleAdapter& locale_;
    ProgramState state_;
    Settings settings_;
    MainServices services_;
    ModalDialogs modal_;
    MainActions actions_;
    QStringList arguments_;
    std::unique_ptr<MainReadingHost> readingHost_;
    std::unique_ptr<ReadingControl> reading_;
    PluginContext* pluginContext_ = nullptr; // a child of the window

    QStringList valuesRead_;
    // The values start-up put into the window's controls; only these are read back from them.
    QStringList valuesShown_;
    SettingsTexts startupTexts_;
    bool startUpIncomplete_ = false;
    bool enginePrepared_ = false;
    bool shown_ = false;
    bool greetingAfterFirstShow_ = false;
    bool greetingPending_ = false;
    bool activated_ = false;
    bool shutdownDone_ = false;
    bool terminationRequested_ = false;

    // Band bar.
    QToolBar* menuBand_ = nullptr;
    QToolBar* toolBand_ = nullptr;
    QLabel* logoAnimation_ = nullptr;
    QAction* logoBand_ = nullptr;
    // Panes.
    QWidget* client_ = nullptr;
    QWidget* pnlDocument_ = nullptr;
    QLabel* documentTitle_ = nullptr;
    QTextEdit* documentEditor_ = nullptr;
    SplitterBar* split = nullptr;
    QWidget* pnlRight_ = nullptr;
    QWidget* pnlSchedule_ = nullptr;
    QTreeView* scheduleList_ = nullptr;
    ScheduleListModel* scheduleModel_ = nullptr;
    // schedule.nxl is written at shutdown only once it was read: a start-up that ended before it, or
    // a file that could not be read, leaves the user's file as it is.
    bool scheduleLoaded_ = false;
    SplitterBar* scheduleSplitter_ = nullptr;
    QWidget* pnlRealTime_ = nullptr;
    QPlainTextEdit* RealTime = nullptr;
    QStatusBar* sb = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace narrix
