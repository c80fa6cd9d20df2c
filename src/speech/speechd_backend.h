#pragma once

#include "speech/voice_info.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace narrix {

struct SpeechdVoiceList
{
    std::vector<VoiceInfo> voices;
    QString problem; // the line for the speech log when there are none (no service, no voices)
};

// The voices of every output module of the desktop speech service (speech-dispatcher), one mode per
// module voice. Connects (starting the service the way its clients do when it is installed but not
// running) and lists; empty, with the reason, when there is no service. Logs nothing itself, so that
// it may run on a thread the process does not wait for.
SpeechdVoiceList listSpeechdVoices();

// The service's rate (-100 .. 100) for a speed in words per minute: its espeak-ng module speaks
// 170 words per minute at rate 0, 80 at -100 and 390 at +100, linear in between.
int speechdRate(int wordsPerMinute);
constexpr int kSpeechdMinSpeed = 80;
constexpr int kSpeechdMaxSpeed = 390;

// One connection to the service, which synthesises and plays the audio itself. Its events arrive on
// libspeechd's own thread.
class SpeechdConnection
{
public:
    enum class EventKind { Begin, End, Cancel, Mark };
    struct Event
    {
        EventKind kind = EventKind::Begin;
        std::size_t message = 0;
        QString mark; // the name of the index mark reached (Mark only)
    };
    using EventHandler = std::function<void(const Event&)>;

    // `handler` is called on libspeechd's thread, never after the destructor has begun.
    explicit SpeechdConnection(EventHandler handler);
    ~SpeechdConnection();
    SpeechdConnection(const SpeechdConnection&) = delete;
    SpeechdConnection& operator=(const SpeechdConnection&) = delete;

    // Speaks SSML (a <speak> document, index marks as <mark name=".."/>) with the voice and prosody;
    // returns the message's number, 0 when the service cannot be reached.
    std::size_t speak(const VoiceInfo& voice, const Prosody& prosody, const QByteArray& ssml);
    // Ends the message playing and every one queued, at once.
    void cancel();

private:
    bool ensureOpen();

    struct Session; // libspeechd's connection
    EventHandler handler_;
    std::unique_ptr<Session> session_;
    std::size_t clientId_ = 0;
};

} // namespace narrix
