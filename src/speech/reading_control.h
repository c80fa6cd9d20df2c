#pragma once

#include "speech/follow_along.h"
#include "speech/growing_speech_text.h"
#include "speech/reading_host.h"
#include "speech/reading_state.h"
#include "speech/rest_cleaner.h"
#include "speech/speech_engine.h"
#include "speech/speech_text_cleanup.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string_view>

namespace narrix {

// The one way speech reaches the engine (SpeakBuffer), the arbitration between the sources, the
// reading commands and what the main window shows while the engine speaks.
class ReadingControl : public QObject
{
    Q_OBJECT
public:
    ReadingControl(ReadingState& state, SpeechEngine& engine, ReadingHost& host, QObject* parent = nullptr);
    ~ReadingControl() override;

    // Buffers longer than this are handed over in two steps: the first part at once, the rest when
    // it is cleaned on a thread of its own, so that a long document starts to sound at once.
    static constexpr std::size_t kLongText = 1 << 20;
    static constexpr std::size_t kFirstPart = 64 << 10;

    // Cleans the speech text buffer, hands it to the engine as speech of `source`, empties it.
    void SpeakBuffer(SpeechSource source);

    // A text that arrives in pieces (a long document still being read): `first` is handed to the
    // engine at once, each further piece through growSpeech, and endGrowingSpeech says the text is
    // whole; the engine waits at the end of what it has meanwhile. `title` becomes the current
    // title. One such text at a time: a new one closes the one before; Stop and the end of the
    // speech end it, and pieces of a source other than its own are ignored.
    void speakGrowing(SpeechSource source, const std::string& first,
                      const std::optional<std::string>& title = std::nullopt);
    void growSpeech(SpeechSource source, std::string_view piece);
    void endGrowingSpeech(SpeechSource source);
    bool speechGrowing(SpeechSource source) const { return growing_ && growing_->source == source; }

    // Whether a source may speak now: only while nothing of a higher code is queued; 5 always may.
    bool maySpeak(SpeechSource source) const;
    // The status label of a source ("Clipboard Speech", ...).
    static QString sourceLabel(SpeechSource source);

    // The reading commands. Each first clears the exit-when-done flag. Engine errors end the command
    // (reported on stderr and in the speech history).
    void play();
    void pause();
    void stop();
    void rewind();
    void forward();

    struct CommandStates
    {
        bool play = false;
        bool pause = false;
        bool rewind = false;
        bool forward = false;
        bool stop = false;
    };
    CommandStates commandStates() const;

    // Follow-along reading of the document.
    FollowAlong& followAlong() { return followAlong_; }
    // Tests wait for its finished() signal instead of sleeping.
    RestCleaner& restCleaner() { return restCleaner_; }

    // The tray icon's frame delay as the speed last set it (500 ms before any change).
    int animationDelay() const { return animationDelay_; }

    // The engine's events; connected to the engine by the constructor.
    void onSpeakingStarted();
    void onSpeak();
    void onSpeakingDone();
    void onAttribChanged(int attribute);

private:
    // What the status bar calls a text of `source`: the scheduled item's title or the source's name.
    QString readingLabel(SpeechSource source) const;
    QString readingStatus() const;
    bool speakInTwoSteps(SpeechSource source, SpeechSource previousSource);
    // How the clean-up treats characters beyond ASCII for the voice selected now.
    AsciiFolding voiceFolding() const;
    void actOnQuickStartChoice(QuickStartChoice choice);
    void runRandomChannel();
    template <typename Operation> void guarded(const char* what, Operation operation);

    ReadingState& state_;
    SpeechEngine& engine_;
    ReadingHost& host_;
    int animationDelay_ = 500;
    // Cleans the rest of a long text; stop and every new long text abandon the one before.
    RestCleaner restCleaner_;
    FollowAlong followAlong_;
    qsizetype documentBase_ = 0; // where the document text being handed over begins in the editor
    struct Growing
    {
        SpeechSource source;
        quint64 engineText; // the engine's number of the text
        GrowingSpeechText text;
    };
    std::optional<Growing> growing_;
};

} // namespace narrix
