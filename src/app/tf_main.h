#pragma once

#include "app/main_actions.h"
#include "app/main_reading_host.h"
#include "app/modal_dialogs.h"
#include "app/program_state.h"
#include "app/settings.h"
#include "app/settings_codec.h"
#include "speech/reading_control.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QTreeView;

namespace narrix {

class LocaleAdapter;
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
           QWidget* parent = nullptr);
    ~TfMain() override;

    // Start-up sequence. `arguments` are the command-line arguments without the program name.
    void FormCreate(const QStringList& arguments);
    // Shutdown sequence; later calls do nothing.
    void FormDestroy();

    ProgramState& state() { return state_; }
    Settings& settings() { return settings_; }
    const MainActions& actions() const { return actions_; }
    ModalDialogs& modal() { return modal_; }
    SpeechEngine& tts() { return engine_; }
    QTextEdit* editor() const { return RTFB; }
    QTreeView* scheduleList() const { return ListView1; }
    // The rows of ListView1: the schedule items in list order.
    ScheduleListModel& scheduleItems() { return *scheduleModel_; }
    QPlainTextEdit* realTimeMemo() const { return RealTime; }

    void setStatusText(const QString& text);
    QString statusText() const;
    void setDocumentTitle(const QString& title);

    // Hands the speech text buffer to the engine as speech from `source` (1 real-time ... 5 scheduled).
    void SpeakBuffer(int source);
    // The reading commands, the arbitration between the speech sources and the engine's events.
    ReadingControl& reading();
    // Enables Play, Pause, Rewind, Fast Forward and Stop as the engine's state allows (run when idle).
    void UpdateReadingActions();
    // Tray icon and logo animations while speaking.
    void StartSpeakingAnimation();
    void StopSpeakingAnimation();
    void SetSpeakingAnimationDelay(int milliseconds);
    void ShowStillTrayPicture();

    // Remembers the current state as the state before start-minimised and minimises the window.
    void MinimizeAtStart();
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
    void startUpSteps();
    void applyFonts();
    void readStoredSettings();
    void applyBound(WindowBound bound, int value);
    void applyWindowStartState();
    void applyViewSwitches();
    void resetRunTimeState();
    void speakGreetingOrArgument();
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

    // Call sites of subsystems built elsewhere. Each does nothing until its subsystem fills it in.
    void ResetRealtimeKeyState();
    void CreateTrayIcon();
    void ApplyTrayIconTheme();
    bool HandOverToRunningInstance();
    void LoadScheduleList();
    void ConnectRealtimeHook();
    void AcceptDroppedFiles(bool accept);
    void InstallMinimizeRestoreHooks();
    void LoadLogoAnimation();
    void RetrieveChannel(const QString& address);
    void DisconnectRealtimeHook();
    void SaveScheduleList();
    void FreeTrayIcon();
    bool ConfirmSaveChanges();
    void AbortHttpTransfer();
    void DisconnectEmail();
    void ShowTipOfTheDay();
    void RunChannelUpdate();
    void OpenVoiceGuide();

    SpeechEngine& engine_;
    SettingsStore& store_;
    const LocaleAdapter& locale_;
    ProgramState state_;
    Settings settings_;
    ModalDialogs modal_;
    MainActions actions_;
    QStringList arguments_;
    std::unique_ptr<MainReadingHost> readingHost_;
    std::unique_ptr<ReadingControl> reading_;

    QStringList valuesRead_;
    SettingsTexts startupTexts_;
    bool startUpIncomplete_ = false;
    bool enginePrepared_ = false;
    bool shown_ = false;
    bool activated_ = false;
    bool shutdownDone_ = false;
    bool terminationRequested_ = false;

    // Band bar.
    QToolBar* menuBand_ = nullptr;
    QToolBar* toolBand_ = nullptr;
    QLabel* Animate1 = nullptr;
    QAction* logoBand_ = nullptr;
    // Panes.
    QWidget* client_ = nullptr;
    QWidget* pnlDocument_ = nullptr;
    QLabel* documentTitle_ = nullptr;
    QTextEdit* RTFB = nullptr;
    SplitterBar* split = nullptr;
    QWidget* pnlRight_ = nullptr;
    QWidget* pnlSchedule_ = nullptr;
    QTreeView* ListView1 = nullptr;
    ScheduleListModel* scheduleModel_ = nullptr;
    bool scheduleLoadFailed_ = false; // schedule.nxl exists but could not be read: never overwrite it
    SplitterBar* Splitter1 = nullptr;
    QWidget* pnlRealTime_ = nullptr;
    QPlainTextEdit* RealTime = nullptr;
    QStatusBar* sb = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace narrix
