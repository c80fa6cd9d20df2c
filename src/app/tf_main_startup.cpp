// The main window's start-up sequence, shutdown sequence, close request and first activation.
#include "app/tf_main.h"
#include "app/window_start_state_qt.h"

#include "app/shutdown_window_state.h"
#include "base/error_hook.h"
#include "desktop/window_bounds.h"
#include "editor/document_font_qt.h"
#include "net/transfer_shutdown.h"
#include "platform/locale_adapter.h"
#include "settings/settings_store.h"
#include "speech/engine_preparation.h"
#include "speech/speech_engine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

namespace narrix {
namespace {

SettingsEnvironment currentEnvironment(const QWidget& window)
{
    SettingsEnvironment environment;
    environment.menuFont = documentFontFrom(QApplication::font("QMenu"));
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        environment.screenWidth = screen->geometry().width();
        environment.screenHeight = screen->geometry().height();
    }
    return environment;
}

} // namespace

void TfMain::FormCreate(const QStringList& arguments)
{
    arguments_ = arguments;
    settings_ = defaultSettings(currentEnvironment(*this));
    // The bounds the window has until the stored ones are read: the default size, centred.
    move(settings_.windowLeft, settings_.windowTop);
    resize(settings_.windowWidth, settings_.windowHeight);
    valuesRead_.clear();
    valuesShown_.clear();
    bool complete = false;
    startUpIncomplete_ =
        !runGuarded(QStringLiteral("FormCreate"), [&] { complete = startUpSteps(); }) || !complete;
    // Stored bounds may be larger than any screen or off it: the window is shown on the screen.
    fitIntoScreen(*this);
    startupTexts_ = settingsTexts(settings_, locale_, true);
}

bool TfMain::startUpSteps()
{
    resetStartUpFlags();
    applyFonts();
    // A stored number that does not parse ends the start-up here (it is reported).
    if (!readStoredSettings())
        return false;
    applyWindowStartState();
    applyViewSwitches();
    LayoutPanes();
    tickSpeechSwitches();
    resetRunTimeState();
    services_.tray->createTrayIcon();
    services_.tray->applyTheme();
    if (endIfAnotherInstanceRuns())
        return true;
    LoadScheduleList();
    state_.reading.englishLocale = isEnglishLocale(locale_);
    prepareEngine();
    connectSubsystems();
    state_.startingUp = false;
    // "Taskbar Button" starts ticked.
    if (!settings_.taskbarButton)
        actions_.askbarButton1->setChecked(false);
    markShownByWindow({u"TaskbarButton"});
    for (Plugin* plugin : services_.plugins)
        plugin->startUp();
    for (MainPlugin* part : services_.windowParts)
        part->startUp();
    speakGreetingOrArgument();
    return true;
}

void TfMain::resetStartUpFlags()
{
    state_.startingUp = true;
    state_.earlyExit = false;
    state_.openModalDialogs = 0;
    state_.reading.attribChangeEnabled = true;
    services_.realtimeHook->resetKeyState();
}

// The three speech switches start ticked; toggling also unticks their tray twins.
void TfMain::tickSpeechSwitches()
{
    if (!settings_.enableRealtime)
        actions_.RealtimeSpeech3->toggle();
    if (!settings_.enableClipboard)
        actions_.Clip2->toggle();
    if (!settings_.enableSchedule)
        actions_.ScheduledSpeech3->toggle();
    markShownByWindow({u"EnableRealtime", u"EnableClipboard", u"EnableSchedule"});
}

// A second instance hands its argument over to the running one and ends.
bool TfMain::endIfAnotherInstanceRuns()
{
    if (!services_.singleInstance->handOverToRunningInstance(arguments_))
        return false;
    state_.earlyExit = true;
    QTimer::singleShot(0, this, [] { QCoreApplication::quit(); });
    return true;
}

void TfMain::prepareEngine()
{
    if (!prepareSpeechEngine(engine_, state_.reading, settings_.voice, settings_.device, settings_.speed))
        reportEscapedError(QStringLiteral("FormCreate"),
                           QStringLiteral("voice \"%1\" could not be selected").arg(settings_.voice));
    enginePrepared_ = true;
}

void TfMain::connectSubsystems()
{
    services_.realtimeHook->connectHook();
    services_.document->acceptDroppedFiles(true);
    services_.tray->installMinimizeRestoreHooks();
    services_.tray->loadLogoAnimation(*logoAnimation_);
}

void TfMain::applyFonts()
{
    menuBand_->setFont(QApplication::font("QMenu"));
    toolBand_->setFont(QApplication::font("QMenu"));
    const QFont paneFont = QApplication::font();
    pnlDocument_->setFont(paneFont);
    pnlRight_->setFont(paneFont);
    sb->setFont(QToolTip::font());
}

bool TfMain::readStoredSettings()
{
    const SettingsEnvironment environment = currentEnvironment(*this);
    const bool firstRun = store_.value(QStringLiteral("FontCharset")).isEmpty();
    const std::optional<SettingsReadError> error =
        readSettings(store_, environment, locale_, settings_, &valuesRead_,
                     [this](WindowBound bound, int value) { applyBound(bound, value); });
    // The window bounds are applied as they are read and the panes follow the ratios at every layout.
    for (const char16_t* name :
         {u"Split1", u"Split2", u"WindowLeft", u"WindowTop", u"WindowWidth", u"WindowHeight"})
        if (valuesRead_.contains(QString::fromUtf16(name)))
            markShownByWindow({name});
    if (error) {
        reportEscapedError(QStringLiteral("FormCreate"), error->message());
        return false;
    }
    state_.firstRun = firstRun;
    return true;
}

void TfMain::applyBound(WindowBound bound, int value)
{
    switch (bound) {
    case WindowBound::Left:
        move(value, y());
        break;
    case WindowBound::Top:
        move(x(), value);
        break;
    case WindowBound::Width:
        resize(value, height());
        break;
    case WindowBound::Height:
        resize(width(), value);
        break;
    }
}

void TfMain::applyWindowStartState()
{
    setWindowState(qtWindowStates(settings_.windowStartState));
}

void TfMain::applyViewSwitches()
{
    ArrangeBandBar();
    sb->setVisible(settings_.viewStatusbar);
    actions_.actViewStatusbar->setChecked(settings_.viewStatusbar);
    markShownByWindow({u"ViewStatusbar"});
}

void TfMain::resetRunTimeState()
{
    state_.minimized = false;
    state_.reading.currentSource = SpeechSource::None;
    state_.reading.speaking = false;
    RealTime->clear();
}

void TfMain::MinimizeAtStart()
{
    state_.stateBeforeStartMinimized = windowStartStateOf(*this);
    setWindowState(Qt::WindowMinimized);
    settings_.windowStartState = WindowStartState::Minimized;
}

void TfMain::speakGreetingOrArgument()
{
    if (!arguments_.isEmpty()) {
        state_.reading.exitWhenDone = true;
        MinimizeAtStart();
        state_.reading.currentTitle = arguments_.first().toStdString();
        services_.transfers->retrieveChannel(arguments_.first());
        return;
    }
    state_.reading.exitWhenDone = false;
    if (settings_.startMinimized)
        MinimizeAtStart();
    if (settings_.greetings == kNoGreeting)
        return;
    if (greetingAfterFirstShow_ && !shown_)
        greetingPending_ = true;
    else
        speakGreeting();
}

void TfMain::speakGreeting()
{
    state_.reading.speechBuffer = settings_.greetings.toStdString();
    state_.reading.currentTitle = "Greetings";
    SpeakBuffer(SpeechSource::Scheduled);
}

void TfMain::speakPendingGreeting()
{
    if (!greetingPending_)
        return;
    greetingPending_ = false;
    if (!shutdownDone_)
        speakGreeting();
}

void TfMain::markShownByWindow(std::initializer_list<const char16_t*> names)
{
    for (const char16_t* name : names) {
        const QString text = QString::fromUtf16(name);
        if (!valuesShown_.contains(text))
            valuesShown_.append(text);
    }
}

bool TfMain::valueShownByWindow(const QString& name) const
{
    return !startUpIncomplete_ || valuesShown_.contains(name);
}

SettingsTexts TfMain::shutdownTexts(bool applyWindowChanges)
{
    // The ticks, switches and panes the user changes through the window. A value that start-up never
    // put into its control (never read, or read before a broken value ended the start-up) keeps the
    // text it had.
    const auto take = [this](const char16_t* name, auto& field, auto value) {
        if (valueShownByWindow(QString::fromUtf16(name)))
            field = value;
    };
    take(u"EnableRealtime", settings_.enableRealtime, actions_.RealtimeSpeech3->isChecked());
    take(u"EnableClipboard", settings_.enableClipboard, actions_.Clip2->isChecked());
    take(u"EnableSchedule", settings_.enableSchedule, actions_.ScheduledSpeech3->isChecked());
    take(u"ViewStatusbar", settings_.viewStatusbar, !sb->isHidden());
    take(u"TaskbarButton", settings_.taskbarButton, actions_.askbarButton1->isChecked());
    if (enginePrepared_)
        settings_.speed = engine_.Speed();

    const ShutdownWindowState decision =
        decideShutdownWindowState(windowStartStateOf(*this), settings_.startMinimized,
                                  state_.stateBeforeStartMinimized, state_.minimized);
    if (applyWindowChanges) {
        if (decision.restoreWindowTo)
            setWindowState(qtWindowStates(*decision.restoreWindowTo));
        if (decision.clearMinimizedFlag)
            state_.minimized = false;
    }
    settings_.windowStartState = decision.written;
    if (decision.writeBounds) {
        take(u"WindowLeft", settings_.windowLeft, x());
        take(u"WindowTop", settings_.windowTop, y());
        take(u"WindowWidth", settings_.windowWidth, width());
        take(u"WindowHeight", settings_.windowHeight, height());
    }
    // A pane never laid out (no client area) keeps the ratio it was given.
    if (client_->width() > 0)
        take(u"Split1", settings_.split1, double(pnlDocument_->width()) / client_->width());
    if (pnlRight_->height() > 0)
        take(u"Split2", settings_.split2, double(pnlSchedule_->height()) / pnlRight_->height());

    const SettingsTexts texts = settingsTexts(settings_, locale_, decision.writeBounds);
    return startUpIncomplete_ ? textsToWrite(texts, startupTexts_, valuesRead_) : texts;
}

void TfMain::writeStoredSettings(const SettingsTexts& texts)
{
    writeSettings(store_, texts);
    QString error;
    if (!store_.flush(&error))
        reportEscapedError(QStringLiteral("FormDestroy"),
                           QStringLiteral("settings not saved: %1").arg(error));
}

void TfMain::FormDestroy()
{
    if (shutdownDone_)
        return;
    shutdownDone_ = true;
    runGuarded(QStringLiteral("FormDestroy"), [this] {
        if (!state_.earlyExit) {
            if (state_.reading.currentSource != SpeechSource::None)
                engine_.StopSpeaking();
            services_.realtimeHook->disconnectHook();
            services_.document->acceptDroppedFiles(false);
            for (Plugin* plugin : services_.plugins)
                plugin->shutDown();
            for (MainPlugin* part : services_.windowParts)
                part->shutDown();
            SaveScheduleList();
            writeStoredSettings(shutdownTexts(true));
        }
        services_.tray->freeTrayIcon();
    });
}

void TfMain::CommitSessionData()
{
    if (shutdownDone_ || state_.earlyExit)
        return;
    runGuarded(QStringLiteral("CommitSessionData"), [this] {
        SaveScheduleList();
        writeStoredSettings(shutdownTexts(false));
    });
}

void TfMain::closeEvent(QCloseEvent* event)
{
    if (state_.earlyExit) {
        event->accept();
        return;
    }
    bool goAhead = false;
    runGuarded(QStringLiteral("FormCloseQuery"), [&] { goAhead = FormCloseQuery(); });
    if (!goAhead) {
        event->ignore();
        return;
    }
    runGuarded(QStringLiteral("FormClose"), [this] { FormClose(); });
    event->accept();
}

bool TfMain::FormCloseQuery()
{
    return services_.document->confirmSaveChanges();
}

void TfMain::FormClose()
{
    // Every transfer wait ends now and none starts after it, so the shutdown sequence comes at once.
    net::shutDownTransfers();
    transfers().requestCancel();
    services_.transfers->abortHttpTransfer();
    actions_.actDisEmail->trigger();
}

void TfMain::EscapePressed()
{
    runGuarded(QStringLiteral("FormKeyDown"), [this] {
        transfers().requestCancel();
        services_.transfers->abortHttpTransfer();
        actions_.actDisEmail->trigger();
        setStatusText(QCoreApplication::translate("StatusBar", " Disconnected."));
    });
}

void TfMain::TerminationRequested()
{
    if (terminationRequested_ && state_.openModalDialogs > 0) {
        // Asked twice while a prompt waits for an answer: end without waiting for it.
        QCoreApplication::exit(0);
        return;
    }
    terminationRequested_ = true;
    // The close goes through the close request; when it goes ahead the program ends even if a dialog
    // of its own is still open.
    if (close())
        QCoreApplication::exit(0);
}

void TfMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        runGuarded(QStringLiteral("FormShow"), [this] { FormShow(); });
        if (greetingPending_)
            // The show queues the first paint: the second turn of the event loop comes after it.
            QTimer::singleShot(0, this, [this] {
                QTimer::singleShot(0, this, [this] {
                    runGuarded(QStringLiteral("FormShow"), [this] { speakPendingGreeting(); });
                });
            });
    }
}

void TfMain::FormShow()
{
    if (state_.earlyExit)
        return;
    const DocumentFont& font = settings_.documentFont;
    documentEditor_->document()->setDefaultFont(qFontFrom(font));
    documentEditor_->setCurrentFont(qFontFrom(font));
    // Stored colours are 0x00BBGGRR; negative values are system colours: the editor's own text colour.
    if (font.color >= 0)
        documentEditor_->setTextColor(
            QColor(font.color & 0xFF, (font.color >> 8) & 0xFF, (font.color >> 16) & 0xFF));
    documentEditor_->document()->setModified(false);
    LayoutPanes();
    // Typing right after the start goes into the document.
    documentEditor_->setFocus(Qt::OtherFocusReason);
}

void TfMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
        activated_ = true;
        // After the activation itself has been handled, so that boxes shown here stack above the window.
        QTimer::singleShot(
            0, this, [this] { runGuarded(QStringLiteral("FormActivate"), [this] { FormActivate(); }); });
    }
}

void TfMain::FormActivate()
{
    if (state_.earlyExit || settings_.windowStartState != WindowStartState::Normal || !arguments_.isEmpty() ||
        !settings_.showTips)
        return;
    services_.tips->showTipOfTheDay();
    if (state_.firstRun)
        ShowFirstRunOffers();
}

void TfMain::ShowFirstRunOffers()
{
    const QString caption = tr("Narrix Update");
    const auto ask = [&](const QString& text) {
        return modal_.message(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) == QMessageBox::Yes;
    };
    if (ask(tr("Some of the Narrix channels installed may need updates.\r\n"
               "It is recommended that you update your channels after installation.\r\n\r\n"
               "Do you want to update channels now? (Internet required)")))
        services_.tips->runChannelUpdate();
    const int mode = engine_.CurrentMode();
    const bool known = mode >= 1 && mode <= engine_.ModeCount();
    const QString voice = known ? engine_.ModeName(mode) : settings_.voice;
    // The kind of voice said is the selected voice's own (1 female, 2 male).
    const int gender = known ? engine_.Gender(mode) : 0;
    const QString kind = gender == 1 ? tr("female ") : gender == 2 ? tr("male ") : QString();
    if (ask(tr("Narrix comes with one %1voice, %2.\r\n"
               "Several additional voices are available for download!\r\n\r\n"
               "Do you want to download them now? (FREE!)")
                .arg(kind, voice)))
        services_.tips->openVoiceGuide();
}

} // namespace narrix
