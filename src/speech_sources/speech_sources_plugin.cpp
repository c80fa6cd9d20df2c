#include "speech_sources/speech_sources_plugin.h"

#include "base/diagnostics.h"
#include "base/error_hook.h"
#include "plugin/plugin_context.h"
#include "sources/clip_note.h"
#include "sources/realtime_speech.h"
#include "sources/time_announcements.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

namespace narrix {

namespace {

// A switch whose source hears nothing on this desktop: greyed, with the reason as its status and tool
// tip (the menus holding it show tool tips). Its tick stays as saved, for a session where it works.
void markUnheard(QAction* toggle, const QString& reason)
{
    if (reason.isEmpty())
        return;
    qCInfo(lcNarrix, "%s", qUtf8Printable(reason));
    toggle->setEnabled(false);
    toggle->setStatusTip(reason);
    toggle->setToolTip(reason);
    for (QObject* holder : toggle->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder))
            menu->setToolTipsVisible(true);
}

} // namespace

SpeechSourcesPlugin::SpeechSourcesPlugin(KeyboardState& keyboard, const Clock& clock, QString hookLibrary)
    : keyboard_(keyboard), clock_(clock), hookLibrary_(std::move(hookLibrary))
{
}

SpeechSourcesPlugin::~SpeechSourcesPlugin() = default;

void SpeechSourcesPlugin::attach(PluginContext& context)
{
    context_ = &context;
    SourceSpeaker& speaker = *this;
    const Settings& settings = context.settings();

    // The memo only shows the buffer: no focus, no border, the button-face colour, a scroll bar.
    QPlainTextEdit* memo = context.realTimeMemo();
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setBackgroundRole(QPalette::Button);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    realtime_ = std::make_unique<RealtimeSpeech>(
        keyboard_, speaker, RealtimeSettings{settings.realMode, settings.realCustom, settings.enableRealtime},
        [memo](const std::string& buffer) { memo->setPlainText(QString::fromStdString(buffer)); });
    connect(&hook_, &RealtimeHookConnection::keyReport, this, &SpeechSourcesPlugin::keyReport);

    clipNote_ = new TClipNote(&context.window());
    connect(clipNote_, &TClipNote::OnClipboardChange, this, &SpeechSourcesPlugin::clipboardChanged);
    time_ = std::make_unique<TimeAnnouncements>(
        clock_, speaker,
        TimeSettings{settings.tellTime, settings.timeStyle, settings.dateStyle, settings.hourFormat});

    const MainActions& a = context.actions();
    markUnheard(a.RealtimeSpeech3, availability_.typingUnavailable);
    markUnheard(a.Clip2, availability_.clipboardUnavailable);
    const auto command = [this](QAction* action, const QString& name, auto run) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [name, run] { runGuarded(name, run); });
    };
    command(a.Whatsthetime1, QStringLiteral("Whatsthetime1Click"), [this] { time_->speakTime(); });
    command(a.WhatstheDate1, QStringLiteral("WhatstheDate1Click"), [this] { time_->speakDate(); });
    command(a.WhatsintheClipboard1, QStringLiteral("WhatsintheClipboard1Click"),
            [this] { clipboard_.whatsInTheClipboard(*clipNote_, *this); });

    tmrClip_.setInterval(500);
    connect(&tmrClip_, &QTimer::timeout, this, &SpeechSourcesPlugin::tmrClipTimer);
    tmrClip_.start();
}

void SpeechSourcesPlugin::shutDown()
{
    tmrClip_.stop();
}

void SpeechSourcesPlugin::resetKeyState()
{
    if (realtime_)
        realtime_->resetKeyState();
}

void SpeechSourcesPlugin::connectHook()
{
    hook_.connectHook(hookLibrary_);
}

void SpeechSourcesPlugin::disconnectHook()
{
    hook_.disconnectHook();
}

void SpeechSourcesPlugin::resetAnnouncementMemory()
{
    if (time_)
        time_->resetMemory();
}

void SpeechSourcesPlugin::keyReport(quint32 key, quint32 flags)
{
    runGuarded(QStringLiteral("RealtimeKeyReport"), [&] { realtime_->keyReport(key, flags); });
}

void SpeechSourcesPlugin::clipboardChanged()
{
    runGuarded(QStringLiteral("ClipNote1ClipboardChange"),
               [this] { clipboard_.clipboardChanged(context_->settings().enableClipboard, *clipNote_); });
}

SpeechSource SpeechSourcesPlugin::currentSource() const
{
    return context_->readingState().currentSource;
}

void SpeechSourcesPlugin::speak(SpeechSource source, std::string text)
{
    context_->speak(source, QString::fromStdString(text));
}

void SpeechSourcesPlugin::tmrClipTimer()
{
    if (context_->startingUp())
        return;
    runGuarded(QStringLiteral("tmrClipTimer"), [this] {
        clipboard_.tick(*this);
        time_->tick();
    });
}

} // namespace narrix
