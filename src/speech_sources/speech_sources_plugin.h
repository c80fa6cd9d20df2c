#pragma once

#include "plugin/feature_services.h"
#include "plugin/plugin.h"
#include "sources/clipboard_speech.h"
#include "sources/realtime_hook_connection.h"
#include "sources/source_availability.h"
#include "sources/source_speaker.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace narrix {

class Clock;
class KeyboardState;
class RealtimeSpeech;
class TClipNote;
class TimeAnnouncements;

// Real-time typing speech, clipboard speech and the time and date in the main window: the keyboard-hook
// library's connection, the memo "Real-Time Buffer", the clipboard viewer, the 500 ms timer tmrClip and
// the Tools commands "What's the &Time?", "What's the &Date?" and "What's in the Clip&board?". The logic
// is in src/sources; this connects it to the window.
class SpeechSourcesPlugin final : public QObject,
                                  public Plugin,
                                  public RealtimeHookService,
                                  private SourceSpeaker
{
    Q_OBJECT
public:
    // `hookLibrary` is the keyboard-hook library's path: librealtime.so in the program's folder.
    SpeechSourcesPlugin(KeyboardState& keyboard, const Clock& clock,
                        QString hookLibrary = RealtimeHookConnection::defaultLibraryPath());
    ~SpeechSourcesPlugin() override;

    // What the desktop lets the sources hear; set before the window is built. A source that hears
    // nothing has its Tools switch greyed with the reason as its hint.
    void setAvailability(SourceAvailability availability) { availability_ = std::move(availability); }

    void attach(PluginContext& context) override;
    void shutDown() override;

    void resetKeyState() override;
    void connectHook() override;
    void disconnectHook() override;

    // Forgets the last time announcement (the options dialog was confirmed with OK).
    void resetAnnouncementMemory();

private:
    void keyReport(quint32 key, quint32 flags);
    void clipboardChanged();
    void tmrClipTimer();
    // The sources speak through the window's context.
    SpeechSource currentSource() const override;
    void speak(SpeechSource source, std::string text) override;

    KeyboardState& keyboard_;
    const Clock& clock_;
    QString hookLibrary_;
    SourceAvailability availability_;
    PluginContext* context_ = nullptr;
    std::unique_ptr<RealtimeSpeech> realtime_;
    RealtimeHookConnection hook_;
    TClipNote* clipNote_ = nullptr;
    ClipboardSpeech clipboard_;
    std::unique_ptr<TimeAnnouncements> time_;
    QTimer tmrClip_;
};

} // namespace narrix
