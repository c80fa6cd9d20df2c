// Reading control in the main window: SpeakBuffer, the five reading commands (menu, toolbar and the
// editor's pop-up menu) with their enabled states refreshed when idle, and what the engine's events
// show. The logic is ReadingControl's; this file connects it to the window.
#include "app/close_when_done.h"
#include "app/main_reading_host.h"
#include "app/tf_main.h"
#include "app/window_start_state_qt.h"
#include "plugin/plugin_context.h"

#include "schedule/schedule_list_model.h"
#include "speech/reading_control.h"
#include "speech/voice_guide_dialog.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>
#include <QTreeView>

namespace narrix {
namespace {

// QTextCursor::selectedText() separates paragraphs with U+2029 and lines with U+2028.
std::string plainSelection(const QTextEdit& editor)
{
    QString text = editor.textCursor().selectedText();
    text.replace(QChar(0x2029), QLatin1Char('\n'));
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    return text.toStdString();
}

} // namespace

MainReadingHost::MainReadingHost(TfMain& window, ProgramState& state) : window_(window), state_(state) {}

MainReadingHost::~MainReadingHost() = default;

void MainReadingHost::setStatusText(const QString& text, bool repaintNow)
{
    window_.setStatusText(text);
    if (repaintNow && window_.statusBar())
        window_.statusBar()->repaint();
}

void MainReadingHost::startSpeakingAnimation()
{
    Q_EMIT window_.pluginContext().speakingStarted();
}

// The speaking-done signal also brings the still picture back (see showStillPicture).
void MainReadingHost::stopSpeakingAnimation()
{
    Q_EMIT window_.pluginContext().speakingDone();
}

void MainReadingHost::setAnimationDelay(int milliseconds)
{
    window_.tray().setAnimationDelay(milliseconds);
}

void MainReadingHost::showStillPicture() {}

bool MainReadingHost::editorHasSelection() const
{
    return window_.editor()->textCursor().hasSelection();
}

std::string MainReadingHost::editorSelectedText() const
{
    return plainSelection(*window_.editor());
}

qsizetype MainReadingHost::editorSelectionStart() const
{
    return window_.editor()->textCursor().selectionStart();
}

std::string MainReadingHost::editorText() const
{
    if (const std::optional<QString> text = window_.document().documentText())
        return text->toStdString();
    return window_.editor()->toPlainText().toStdString();
}

bool MainReadingHost::editorTextGrowing() const
{
    return window_.document().documentGrowing();
}

void MainReadingHost::runQuickStart(const std::function<void(QuickStartChoice)>& actOnChoice)
{
    // The guide and what its choice runs count as one open modal dialog.
    ModalScope scope(state_.openModalDialogs);
    actOnChoice(askQuickStart());
}

QuickStartChoice MainReadingHost::askQuickStart()
{
    // The guide's choices 1 to 6 in its order.
    static constexpr QuickStartChoice choices[TfrmGuide::kChoices] = {
        QuickStartChoice::OpenDocument, QuickStartChoice::RandomChannel, QuickStartChoice::Time,
        QuickStartChoice::Date,         QuickStartChoice::Clipboard,     QuickStartChoice::Help,
    };
    if (!guide_)
        guide_ = std::make_unique<TfrmGuide>(&window_);
    guide_->reset();
    // Through the prompter, which tests answer by script; the count is already raised by the caller.
    const int result = window_.modal().prompter().execDialog(*guide_);
    // A prompter that answers without running the dialog leaves its choice unset.
    const int choice =
        result == QDialog::Accepted && guide_->choice() < 1 ? guide_->selectedChoice() : guide_->choice();
    if (choice < 1 || choice > TfrmGuide::kChoices)
        return QuickStartChoice::Cancel;
    return choices[choice - 1];
}

bool MainReadingHost::openDocument()
{
    // File Open reports nothing back: a changed document means a file was opened.
    const QString before = window_.editor()->toPlainText();
    const bool modifiedBefore = window_.editor()->document()->isModified();
    window_.actions().actOpen->trigger();
    return window_.editor()->toPlainText() != before ||
           window_.editor()->document()->isModified() != modifiedBefore;
}

int MainReadingHost::scheduleRowCount() const
{
    return window_.scheduleItems().rowCount();
}

void MainReadingHost::runScheduleRow(int row)
{
    // As Run Now runs the selected row.
    QTreeView* list = window_.scheduleList();
    list->setCurrentIndex(list->model()->index(row, 0));
    window_.actions().actRun->trigger();
}

void MainReadingHost::speakTime()
{
    window_.actions().Whatsthetime1->trigger();
}

void MainReadingHost::speakDate()
{
    window_.actions().WhatstheDate1->trigger();
}

void MainReadingHost::speakClipboard()
{
    window_.actions().WhatsintheClipboard1->trigger();
}

void MainReadingHost::openHelp()
{
    window_.actions().actHelp->trigger();
}

bool MainReadingHost::closeWhenDone()
{
    const CloseWhenDone decision = decideCloseWhenDone(state_, window_.isMinimized());
    if (!decision.close)
        return false;
    if (decision.hideWithState) {
        window_.hide();
        window_.setWindowState(qtWindowStates(*decision.hideWithState));
    }
    if (decision.clearMinimizedFlag)
        state_.minimized = false;
    // A hidden window's close does not end Qt's loop (only the last visible window's does): end the
    // program explicitly, as the signal path does.
    if (window_.close())
        QCoreApplication::exit(0);
    return true;
}

void TfMain::connectReading()
{
    readingHost_ = std::make_unique<MainReadingHost>(*this, state_);
    reading_ = std::make_unique<ReadingControl>(state_.reading, engine_, *readingHost_);
    const MainActions& a = actions_;
    connect(a.actPlay, &QAction::triggered, this, [this] { reading_->play(); });
    connect(a.actPause, &QAction::triggered, this, [this] {
        reading_->pause();
        Q_EMIT pluginContext_->speakingPaused();
    });
    connect(a.actStop, &QAction::triggered, this, [this] { reading_->stop(); });
    connect(a.actRewind, &QAction::triggered, this, [this] { reading_->rewind(); });
    connect(a.actForward, &QAction::triggered, this, [this] { reading_->forward(); });

    // The editor's pop-up menu: its own edit commands, then the reading commands.
    documentEditor_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(documentEditor_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateReadingActions();
        std::unique_ptr<QMenu> menu(documentEditor_->createStandardContextMenu(at));
        menu->addSeparator();
        const MainActions& actions = actions_;
        menu->addActions(
            {actions.actPlay, actions.actPause, actions.actStop, actions.actRewind, actions.actForward});
        menu->exec(documentEditor_->viewport()->mapToGlobal(at));
    });

    // Enabled states follow the engine whenever the application is idle, and at once after each of
    // its events and each reading command.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { UpdateReadingActions(); });
    connect(&engine_, &SpeechEngine::OnSpeakingStarted, this, &TfMain::UpdateReadingActions);
    connect(&engine_, &SpeechEngine::OnSpeakingDone, this, &TfMain::UpdateReadingActions);
    for (QAction* action : {a.actPlay, a.actPause, a.actStop, a.actRewind, a.actForward})
        connect(action, &QAction::triggered, this, &TfMain::UpdateReadingActions);
    UpdateReadingActions();
}

void TfMain::UpdateReadingActions()
{
    if (!reading_)
        return;
    const ReadingControl::CommandStates states = reading_->commandStates();
    const MainActions& a = actions_;
    a.actPlay->setEnabled(states.play);
    a.actPause->setEnabled(states.pause);
    a.actRewind->setEnabled(states.rewind);
    a.actForward->setEnabled(states.forward);
    a.actStop->setEnabled(states.stop);
}

void TfMain::SpeakBuffer(SpeechSource source)
{
    if (greetingPending_) {
        // The waiting greeting goes first; the speech text buffer and the title stay this speech's.
        std::string buffer = std::move(state_.reading.speechBuffer);
        std::string title = std::move(state_.reading.currentTitle);
        speakPendingGreeting();
        state_.reading.speechBuffer = std::move(buffer);
        state_.reading.currentTitle = std::move(title);
    }
    reading_->SpeakBuffer(source);
}

void TfMain::speakText(SpeechSource source, std::string text, std::optional<std::string> title)
{
    if (title)
        state_.reading.currentTitle = std::move(*title);
    state_.reading.speechBuffer = std::move(text);
    SpeakBuffer(source);
}

ReadingControl& TfMain::reading()
{
    return *reading_;
}

} // namespace narrix
