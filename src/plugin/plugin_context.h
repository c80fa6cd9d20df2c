#pragma once

#include "base/transfer_flags.h"
#include "plugin/main_actions.h"
#include "plugin/modal_dialogs.h"
#include "settings/settings.h"
#include "speech/engine_speed_range.h"
#include "speech/reading_control.h"
#include "speech/reading_state.h"

#include <QMainWindow>
#include <QObject>
#include <QString>

class QPlainTextEdit;
class QTextEdit;
class QTreeView;

namespace narrix {

class ScheduleListModel;
class SpeechEngine;

// What a plugin may use of the main window: its commands, speech, the modal helper, the status text,
// the settings and the panes it fills. The window implements it; a plugin keeps nothing else of it.
class PluginContext : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The window's commands (menus, toolbar and tray twins); plugins connect to them.
    virtual const MainActions& actions() const = 0;
    // The one way to show a modal dialog or message box.
    virtual ModalDialogs& modal() = 0;
    // Speaks `text` as speech from `source`; a `title` that is not null becomes the status bar's title
    // of the running item.
    virtual void speak(SpeechSource source, const QString& text, const QString& title = QString()) = 0;
    virtual void setStatusText(const QString& text) = 0;

    virtual const Settings& settings() const = 0;
    // Takes a changed settings record, shows what it changes in the window and emits settingsChanged.
    virtual void changeSettings(const Settings& settings) = 0;
    // The tray icon takes the pictures of the current theme (after the Options dialog).
    virtual void applyTrayTheme() = 0;

    // True while the start-up runs: timers and hand-overs do nothing then.
    virtual bool startingUp() const = 0;
    // The one network transfer at a time, shared by the plugins that read the network.
    virtual TransferFlags& transfers() = 0;
    // The reading control: the sources' arbitration, follow-along, the engine's events.
    virtual ReadingControl& reading() = 0;
    // The reading control's state, to read: the source speaking, whether it speaks, its title.
    virtual const ReadingState& readingState() const = 0;
    // The engine's speed range, which Speech Properties measures again for each voice it shows.
    virtual EngineSpeedRange speedRange() = 0;
    virtual SpeechEngine& tts() = 0;

    // The window and the panes the plugins fill.
    virtual QMainWindow& window() = 0;
    virtual QTextEdit* editor() const = 0;
    virtual void setDocumentTitle(const QString& title) = 0;
    virtual QTreeView* scheduleList() const = 0;
    virtual ScheduleListModel& scheduleItems() = 0;
    // Writes the schedule list to its file; false, with the failure reported, when it was not written.
    virtual bool saveScheduleList() = 0;
    virtual QPlainTextEdit* realTimeMemo() const = 0;

Q_SIGNALS:
    void settingsChanged(const Settings& settings);
    // The reading states: the engine started a text, finished it, or was paused.
    void speakingStarted();
    void speakingDone();
    void speakingPaused();
};

} // namespace narrix
