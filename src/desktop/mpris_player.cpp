#include "desktop/mpris_player.h"

#include "base/diagnostics.h"
#include "desktop/mpris_adaptors.h"
#include "plugin/main_actions.h"
#include "plugin/plugin_context.h"
#include "schedule/open_document.h"
#include "speech/reading_control.h"

#include <QAction>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMainWindow>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

namespace narrix {
namespace {

const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kPlaying = QStringLiteral("Playing");
const QString kPaused = QStringLiteral("Paused");
const QString kStopped = QStringLiteral("Stopped");

// A disabled reading command ignores its trigger, as its menu item does.
void run(QAction* command)
{
    if (command != nullptr)
        command->trigger();
}

} // namespace

MprisPlayer::MprisPlayer(bool sessionBusNamed, const OpenDocument& document) : document_(document)
{
    if (sessionBusNamed)
        bus_ = QDBusConnection::sessionBus();
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
    publishSoon_.setSingleShot(true);
    publishSoon_.setInterval(0);
    connect(&publishSoon_, &QTimer::timeout, this, &MprisPlayer::publishChanges);
    registerSoon_.setSingleShot(true);
    registerSoon_.setInterval(0);
    connect(&registerSoon_, &QTimer::timeout, this, &MprisPlayer::registerOnBus);
}

MprisPlayer::MprisPlayer(const QDBusConnection& bus, const OpenDocument& document)
    : MprisPlayer(false, document)
{
    bus_ = bus;
}

MprisPlayer::~MprisPlayer()
{
    shutDown();
}

void MprisPlayer::attach(PluginContext& context)
{
    context_ = &context;
    const auto changed = [this] { publishSoon_.start(); };
    connect(&context, &PluginContext::speakingStarted, this, changed);
    connect(&context, &PluginContext::speakingDone, this, changed);
    connect(&context, &PluginContext::speakingPaused, this, changed);
    const MainActions& actions = context.actions();
    for (QAction* command :
         {actions.actPlay, actions.actPause, actions.actStop, actions.actRewind, actions.actForward})
        if (command != nullptr)
            connect(command, &QAction::triggered, this, changed);
    // A file opened or saved changes the metadata's title and address.
    if (QTextEdit* editor = context.editor()) {
        connect(editor, &QTextEdit::textChanged, this, changed);
        connect(editor->document(), &QTextDocument::modificationChanged, this, changed);
    }
    // On the first turn of the event loop, after the window is shown: nothing of it shows there.
    // What changes until then (the greeting starts) is announced once it is registered.
    published_ = changingProperties();
    registerSoon_.start();
}

void MprisPlayer::registerOnBus()
{
    if (!bus_ || !bus_->isConnected() || registered_)
        return;
    if (!bus_->registerObject(kPath, this, QDBusConnection::ExportAdaptors)) {
        qCWarning(lcNarrix, "the media player object could not be registered on the session bus");
        return;
    }
    registered_ = bus_->registerService(kService);
    if (!registered_) {
        qCWarning(lcNarrix, "the session bus did not give the name %s: %s", qPrintable(kService),
                  qPrintable(bus_->lastError().message()));
        bus_->unregisterObject(kPath);
        return;
    }
    publishChanges();
}

void MprisPlayer::shutDown()
{
    registerSoon_.stop();
    publishSoon_.stop();
    if (!registered_)
        return;
    registered_ = false;
    bus_->unregisterService(kService);
    bus_->unregisterObject(kPath);
}

bool MprisPlayer::documentIsCurrent() const
{
    const SpeechSource source = context_->readingState().currentSource;
    return source == SpeechSource::Document || source == SpeechSource::None;
}

bool MprisPlayer::documentHasText() const
{
    const QTextEdit* editor = context_->editor();
    return editor != nullptr && !editor->toPlainText().trimmed().isEmpty();
}

QString MprisPlayer::playbackStatus() const
{
    if (!context_)
        return kStopped;
    const ReadingState& state = context_->readingState();
    if (state.speaking)
        return context_->tts().Busy() != 0 ? kPlaying : kPaused;
    // Queued but not heard yet counts as playing.
    return state.currentSource == SpeechSource::None ? kStopped : kPlaying;
}

QVariantMap MprisPlayer::metadata() const
{
    QVariantMap data;
    const bool scheduled = context_ && context_->readingState().currentSource == SpeechSource::Scheduled;
    if (scheduled) {
        data.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/narrix/Narrix/scheduled"))));
        data.insert(QStringLiteral("xesam:title"),
                    QString::fromStdString(context_->readingState().currentTitle));
        return data;
    }
    data.insert(QStringLiteral("mpris:trackid"),
                QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/narrix/Narrix/document"))));
    data.insert(QStringLiteral("xesam:title"), QString::fromStdString(document_.title()));
    const std::string path = document_.path();
    if (!path.empty())
        data.insert(QStringLiteral("xesam:url"),
                    QUrl::fromLocalFile(QString::fromStdString(path)).toString());
    return data;
}

bool MprisPlayer::canPlay() const
{
    return context_ && context_->readingState().currentSource <= SpeechSource::Document;
}

bool MprisPlayer::canPause() const
{
    return context_ && documentIsCurrent();
}

bool MprisPlayer::canGoNext() const
{
    return context_ && context_->readingState().currentSource == SpeechSource::Document;
}

void MprisPlayer::play()
{
    if (!canPlay())
        return;
    const QString status = playbackStatus();
    if (status == kPlaying)
        return;
    // An empty document would open the quick start guide: a media key never opens a dialog.
    if (status == kStopped && !documentHasText())
        return;
    run(context_->actions().actPlay);
}

void MprisPlayer::pause()
{
    if (canPause() && playbackStatus() == kPlaying)
        run(context_->actions().actPause);
}

void MprisPlayer::playPause()
{
    if (playbackStatus() == kPlaying)
        pause();
    else
        play();
}

void MprisPlayer::stop()
{
    if (!context_ || playbackStatus() == kStopped)
        return;
    // A text queued but not started yet has Stop disabled in the menu; the bus stops it all the same.
    if (context_->actions().actStop->isEnabled())
        run(context_->actions().actStop);
    else
        context_->reading().stop();
    publishSoon_.start();
}

void MprisPlayer::next()
{
    if (canGoNext())
        run(context_->actions().actForward);
}

void MprisPlayer::previous()
{
    if (canGoNext())
        run(context_->actions().actRewind);
}

void MprisPlayer::raise()
{
    if (!context_)
        return;
    QMainWindow& window = context_->window();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

QVariantMap MprisPlayer::changingProperties() const
{
    const bool canMove = canGoNext();
    return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
            {QStringLiteral("Metadata"), metadata()},
            {QStringLiteral("CanPlay"), canPlay()},
            {QStringLiteral("CanPause"), canPause()},
            {QStringLiteral("CanGoNext"), canMove},
            {QStringLiteral("CanGoPrevious"), canMove}};
}

void MprisPlayer::publishChanges()
{
    if (!registered_)
        return;
    const QVariantMap now = changingProperties();
    QVariantMap changed;
    for (auto property = now.cbegin(); property != now.cend(); ++property)
        if (published_.value(property.key()) != property.value())
            changed.insert(property.key(), property.value());
    published_ = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    bus_->send(signal);
}

} // namespace narrix
