#pragma once

#include "speech/sentence_splitter.h"
#include "speech/speechd_backend.h"
#include "speech/voice_info.h"

#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

namespace narrix {

// A reading through the speech service, which plays the audio itself. Texts are spoken one after
// the other, each as one SSML message with an index mark before every sentence; the marks tell
// which sentence is heard, and rewind, fast forward and resume speak the text again from a sentence.
// Lives on one thread, where its signals are emitted.
class ServiceReading final : public QObject
{
    Q_OBJECT
public:
    explicit ServiceReading(QObject* parent = nullptr);
    ~ServiceReading() override;

    // An `open` text waits, once its sentences are spoken, for extend() to give the rest.
    void enqueue(quint64 serial, const QString& text, bool open, const VoiceInfo& voice,
                 const Prosody& prosody);
    // Replaces the text `serial` by the whole text it is the beginning of, and closes it.
    void extend(quint64 serial, const QString& wholeText);
    // Adds `more` to the end of the open text `serial`; `close` closes it.
    void append(quint64 serial, const QString& more, bool close);
    // Stop and pause end the sound at once; resume starts again at the sentence that was cut off.
    void stop();
    void pause();
    void resume();
    void fastForward();
    void rewind();
    // True while a text is queued or playing (also while paused).
    bool active() const { return !texts_.empty(); }

Q_SIGNALS:
    void textStarted();
    void sentenceStarted(quint64 text, qint64 start, qint64 end);
    // Everything queued has been spoken (not after stop).
    void finished();

private:
    struct Text
    {
        quint64 serial = 0;
        QString text;
        std::vector<SentenceSpan> sentences;
        VoiceInfo voice;
        Prosody prosody;
        bool open = false;
        bool started = false;
    };

    void handle(const SpeechdConnection::Event& event);
    void speakFrom(std::size_t sentence);
    static std::size_t speakableSentences(const Text& text);
    // Speaks the front text from `spokenUpTo_` on, or the next text with something to say.
    void speakRest();
    void cancelMessage();

    std::deque<Text> texts_;   // the front one is the one playing
    std::size_t sentence_ = 0; // the front text's sentence being heard
    qsizetype spokenUpTo_ = 0; // where the front text's last message ends (UTF-16 units)
    std::size_t message_ = 0;  // the service's number of the message playing; 0: none
    bool paused_ = false;
    std::unique_ptr<SpeechdConnection> connection_; // last: its events refer to the members above
};

} // namespace narrix
