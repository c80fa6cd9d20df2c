#pragma once

#include "speech/sentence_splitter.h"
#include "speech/voice_info.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace narrix {

// The queue between one engine and the synthesis thread: the queued texts, a cursor that walks them
// sentence by sentence (texts are never copied or split up front), and the synthesised audio of the
// next few seconds. The engine reads audio on its own thread; the synthesis thread takes jobs and
// delivers PCM. Audio is 16-bit mono at kSampleRate. A sentence longer than the synthesiser takes at
// once is given to it in pieces, but the sentence as the reader sees it stays the unit of the
// sentence events, rewind and fast forward.
class SpeechStream
{
public:
    static constexpr int kSampleRate = 22050;
    // Synthesis stays this far ahead of playback.
    static constexpr std::size_t kAheadSamples = kSampleRate * 4;

    struct Job
    {
        std::uint64_t segment = 0;
        std::uint64_t generation = 0;
        std::string text; // UTF-8
        VoiceInfo voice;
        Prosody prosody;
    };

    // What a read began, so that the engine can raise its events.
    struct ReadEvents
    {
        int textsStarted = 0; // texts whose first audio was read
        // The last sentence whose first audio was read: its text and its place there, in UTF-16
        // units of the text as queued (also for texts kept in UTF-8).
        std::uint64_t sentenceText = 0;
        qsizetype sentenceStart = 0;
        qsizetype sentenceEnd = 0;
    };

    // Engine side. A text is kept as given (a QString is shared, not copied). An open text is kept in
    // UTF-8 and may still grow (extend); the walk waits at its end until it is closed.
    std::uint64_t enqueue(const QString& text, bool open = false);
    // Replaces the open text `serial` by `whole` (UTF-8), which starts with it, and closes it. Nothing
    // happens when that text is gone (stopped) or `whole` does not start with it.
    void extend(std::uint64_t serial, std::string whole);
    // Adds `more` (UTF-8) to the end of the open text `serial`; `close` closes it. Nothing happens
    // when that text is gone (stopped) or closed.
    void append(std::uint64_t serial, std::string_view more, bool close);
    void clear();
    void fastForward();
    void rewind();
    void setVoice(const VoiceInfo& voice);
    void setProsody(const Prosody& prosody);
    std::size_t read(std::int16_t* out, std::size_t maxSamples, ReadEvents* events);
    // True when nothing is queued, buffered or being synthesised.
    bool exhausted() const;
    std::size_t bufferedSamples() const;
    bool wantsWork() const;

    // Synthesis side.
    std::optional<Job> takeJob();
    // Appends audio to the job's sentence; false when the job was dropped (stop, rewind, ...).
    bool deliver(const Job& job, const std::int16_t* samples, std::size_t count);
    void complete(const Job& job);

private:
    struct Text
    {
        std::uint64_t serial = 0;
        QString wide;     // shares the caller's buffer
        std::string utf8; // used instead of `wide` when `isUtf8`
        bool isUtf8 = false;
        bool open = false;
        qsizetype size() const { return isUtf8 ? static_cast<qsizetype>(utf8.size()) : wide.size(); }
        SentenceSpan sentence(qsizetype from, qsizetype maxLength) const;
        qsizetype skipSpace(qsizetype from) const;
        std::string utf8Slice(qsizetype start, qsizetype end) const;
        // A position as UTF-16 units; for UTF-8 text counted from the last position asked for, so
        // walking the text forward (or a sentence back) stays linear.
        qsizetype units(qsizetype position) const;
        mutable qsizetype unitsMemoPosition = 0;
        mutable qsizetype unitsMemo = 0;
    };
    // One piece of synthesis: a whole sentence, or a piece of a long one.
    struct Segment
    {
        std::uint64_t id = 0;
        std::uint64_t textSerial = 0;
        qsizetype start = 0;
        qsizetype end = 0;
        SentenceSpan sentence; // the sentence the piece belongs to
        bool startsSentence = false;
        std::vector<std::int16_t> samples;
        std::size_t readOffset = 0;
        bool started = false;
        bool complete = false;
        // The first sentence of a reading is heard from its first loud sample: synthesisers lead
        // with up to a quarter second of near-silence (flite's pause before the first word).
        bool trimQuietLead = false;
        std::vector<std::int16_t> quietLead; // held back while trimming
    };

    // The sentence the cursor is in, found once for all its pieces.
    struct CursorSentence
    {
        std::uint64_t textSerial = 0; // 0: none found yet
        SentenceSpan span;
        bool final = false; // false: it runs to the end of an open text, which may still go on
    };

    const Text* findText(std::uint64_t serial) const;
    // Null when the sentence is not known to be complete yet (the open text may still continue it).
    const CursorSentence* cursorSentenceLocked(const Text& text);
    void skipBlankLocked();
    void dropAudioLocked();
    bool workLeftLocked() const;
    // Appends to the segment's audio, leaving out its leading quiet when it is to be trimmed.
    void appendLocked(Segment& segment, const std::int16_t* samples, std::size_t count);
    // Gives the held quiet samples to the segment's audio and ends the trimming.
    void releaseQuietLeadLocked(Segment& segment);

    mutable std::mutex mutex_;
    std::deque<Text> texts_; // front: the text playing now, or the next to play
    std::uint64_t nextSerial_ = 1;
    std::uint64_t cursorSerial_ = 1; // where synthesis continues
    qsizetype cursorPos_ = 0;
    CursorSentence cursorSentence_; // reset whenever the cursor jumps or the text grows
    std::deque<Segment> segments_;
    std::uint64_t nextSegment_ = 1;
    std::size_t buffered_ = 0;
    std::uint64_t generation_ = 0;
    bool jobInFlight_ = false;

    std::uint64_t playingSerial_ = 0;
    qsizetype playingStart_ = 0;
    qsizetype playingEnd_ = 0;
    std::deque<qsizetype> playedStarts_; // sentence starts of the playing text, for rewind

    VoiceInfo voice_;
    Prosody prosody_;
};

} // namespace narrix
