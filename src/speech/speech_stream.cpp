#include "speech/speech_stream.h"

#include "speech/sentence_splitter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace narrix {
namespace {

constexpr std::size_t kRewindHistory = 4096;
// The longest piece the synthesiser is given at once.
constexpr qsizetype kSentenceLength = 300;
// A text without sentence ends is still read (and skipped through) in sentences of at most this much.
constexpr qsizetype kReaderSentenceLength = 2000;
// flite analyses a whole sentence before the first sample: keep the first one of a reading short.
constexpr qsizetype kFirstFliteSentenceLength = 120;
// Leading samples below this level (about -42 dBFS) are the synthesiser's silence, not speech; the
// last 10 ms before the first loud sample stay, so that a soft onset is not cut. A sentence quiet
// for longer than half a second (or to its end) is kept whole.
constexpr int kQuietLevel = 256;
constexpr std::size_t kOnsetMargin = SpeechStream::kSampleRate / 100;
constexpr std::size_t kMaxTrimmed = SpeechStream::kSampleRate / 2;

} // namespace

SentenceSpan SpeechStream::Text::sentence(qsizetype from, qsizetype maxLength) const
{
    return isUtf8 ? nextSentence(std::string_view(utf8), from, maxLength)
                  : nextSentence(QStringView(wide), from, maxLength);
}

qsizetype SpeechStream::Text::skipSpace(qsizetype from) const
{
    return isUtf8 ? narrix::skipSpace(std::string_view(utf8), from)
                  : narrix::skipSpace(QStringView(wide), from);
}

std::string SpeechStream::Text::utf8Slice(qsizetype start, qsizetype end) const
{
    if (isUtf8)
        return utf8.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    return QStringView(wide).mid(start, end - start).toUtf8().toStdString();
}

qsizetype SpeechStream::Text::units(qsizetype position) const
{
    if (!isUtf8)
        return position;
    position = std::clamp<qsizetype>(position, 0, static_cast<qsizetype>(utf8.size()));
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    // A lead byte starts a character: one unit, two for four-byte characters (surrogate pairs).
    const auto unitsOf = [](unsigned char c) { return (c & 0xC0) == 0x80 ? 0 : (c >= 0xF0 ? 2 : 1); };
    qsizetype at = unitsMemoPosition;
    qsizetype count = unitsMemo;
    for (; at < position; ++at)
        count += unitsOf(bytes[at]);
    for (; at > position; --at)
        count -= unitsOf(bytes[at - 1]);
    unitsMemoPosition = position;
    unitsMemo = count;
    return count;
}

std::uint64_t SpeechStream::enqueue(const QString& text, bool open)
{
    Text entry;
    if (open) {
        entry.utf8 = text.toStdString();
        entry.isUtf8 = true;
        entry.open = true;
    } else {
        entry.wide = text;
    }
    std::lock_guard lock(mutex_);
    entry.serial = nextSerial_++;
    texts_.push_back(std::move(entry));
    skipBlankLocked();
    return texts_.back().serial;
}

void SpeechStream::extend(std::uint64_t serial, std::string whole)
{
    std::lock_guard lock(mutex_);
    for (Text& text : texts_) {
        if (text.serial != serial || !text.open)
            continue;
        if (std::string_view(whole).substr(0, text.utf8.size()) != text.utf8)
            return;
        text.utf8 = std::move(whole); // positions already used stay valid: it starts the same
        text.open = false;
        cursorSentence_ = {};
        skipBlankLocked();
        return;
    }
}

void SpeechStream::append(std::uint64_t serial, std::string_view more, bool close)
{
    std::lock_guard lock(mutex_);
    for (Text& text : texts_) {
        if (text.serial != serial || !text.open)
            continue;
        text.utf8.append(more); // positions already used stay valid: the text only grows
        text.open = !close;
        cursorSentence_ = {};
        skipBlankLocked();
        return;
    }
}

void SpeechStream::clear()
{
    std::lock_guard lock(mutex_);
    texts_.clear();
    cursorSerial_ = nextSerial_;
    cursorPos_ = 0;
    cursorSentence_ = {};
    playingSerial_ = 0;
    playedStarts_.clear();
    dropAudioLocked();
}

void SpeechStream::dropAudioLocked()
{
    segments_.clear();
    buffered_ = 0;
    ++generation_;
}

const SpeechStream::Text* SpeechStream::findText(std::uint64_t serial) const
{
    for (const Text& text : texts_) {
        if (text.serial == serial)
            return &text;
    }
    return nullptr;
}

void SpeechStream::skipBlankLocked()
{
    // Moves the cursor over white space, and past texts that have nothing left to say.
    while (const Text* text = findText(cursorSerial_)) {
        cursorPos_ = text->skipSpace(cursorPos_);
        if (cursorPos_ < text->size() || text->open)
            return;
        ++cursorSerial_;
        cursorPos_ = 0;
    }
}

const SpeechStream::CursorSentence* SpeechStream::cursorSentenceLocked(const Text& text)
{
    CursorSentence& known = cursorSentence_;
    const bool current =
        known.textSerial == text.serial && cursorPos_ >= known.span.start && cursorPos_ < known.span.end;
    if (!current) {
        const SentenceSpan span = text.sentence(cursorPos_, kReaderSentenceLength);
        if (span.empty())
            return nullptr;
        known = {text.serial, span, !text.open || span.end < text.size()};
    }
    return known.final ? &known : nullptr;
}

bool SpeechStream::workLeftLocked() const
{
    return findText(cursorSerial_) != nullptr;
}

void SpeechStream::fastForward()
{
    std::lock_guard lock(mutex_);
    if (playingSerial_ == 0 || !findText(playingSerial_))
        return;
    cursorSerial_ = playingSerial_;
    cursorPos_ = playingEnd_;
    cursorSentence_ = {};
    dropAudioLocked();
    skipBlankLocked();
}

void SpeechStream::rewind()
{
    std::lock_guard lock(mutex_);
    if (playingSerial_ == 0 || playedStarts_.empty() || !findText(playingSerial_))
        return;
    // The last entry is the sentence playing now; the one before it is where rewind goes.
    playedStarts_.pop_back();
    qsizetype target = playingStart_;
    if (!playedStarts_.empty()) {
        target = playedStarts_.back();
        playedStarts_.pop_back();
    }
    cursorSerial_ = playingSerial_;
    cursorPos_ = target;
    cursorSentence_ = {};
    dropAudioLocked();
    skipBlankLocked();
}

void SpeechStream::setVoice(const VoiceInfo& voice)
{
    std::lock_guard lock(mutex_);
    voice_ = voice;
}

void SpeechStream::setProsody(const Prosody& prosody)
{
    std::lock_guard lock(mutex_);
    prosody_ = prosody;
}

std::size_t SpeechStream::read(std::int16_t* out, std::size_t maxSamples, ReadEvents* events)
{
    std::lock_guard lock(mutex_);
    std::size_t written = 0;
    while (written < maxSamples && !segments_.empty()) {
        Segment& segment = segments_.front();
        if (segment.readOffset == segment.samples.size() && !segment.complete)
            break; // its audio is still being synthesised
        if (!segment.started) {
            segment.started = true;
            bool newSentence = segment.startsSentence;
            if (segment.textSerial != playingSerial_) {
                while (!texts_.empty() && texts_.front().serial < segment.textSerial)
                    texts_.pop_front();
                playingSerial_ = segment.textSerial;
                playedStarts_.clear();
                newSentence = true;
                if (events)
                    ++events->textsStarted;
            }
            // The further pieces of a sentence go on with it: no event, nothing more to rewind to.
            if (newSentence) {
                playingStart_ = segment.sentence.start;
                playingEnd_ = segment.sentence.end;
                if (events) {
                    if (const Text* text = findText(segment.textSerial)) {
                        events->sentenceText = segment.textSerial;
                        events->sentenceStart = text->units(segment.sentence.start);
                        events->sentenceEnd = text->units(segment.sentence.end);
                    }
                }
                playedStarts_.push_back(segment.sentence.start);
                if (playedStarts_.size() > kRewindHistory)
                    playedStarts_.pop_front();
            }
        }
        const std::size_t available = segment.samples.size() - segment.readOffset;
        const std::size_t count = std::min(available, maxSamples - written);
        if (count > 0) {
            std::memcpy(out + written, segment.samples.data() + segment.readOffset,
                        count * sizeof(std::int16_t));
            segment.readOffset += count;
            written += count;
            buffered_ -= count;
        }
        if (segment.readOffset < segment.samples.size())
            break;
        if (!segment.complete)
            break; // still being synthesised
        segments_.pop_front();
    }
    if (segments_.empty() && !jobInFlight_ && !workLeftLocked()) {
        // Everything was played: the finished texts need not be kept for rewind any longer.
        texts_.clear();
        playingSerial_ = 0;
        playedStarts_.clear();
    }
    return written;
}

bool SpeechStream::exhausted() const
{
    std::lock_guard lock(mutex_);
    return segments_.empty() && !jobInFlight_ && !workLeftLocked();
}

std::size_t SpeechStream::bufferedSamples() const
{
    std::lock_guard lock(mutex_);
    return buffered_;
}

bool SpeechStream::wantsWork() const
{
    std::lock_guard lock(mutex_);
    return !jobInFlight_ && buffered_ < kAheadSamples && workLeftLocked();
}

std::optional<SpeechStream::Job> SpeechStream::takeJob()
{
    std::lock_guard lock(mutex_);
    if (jobInFlight_ || buffered_ >= kAheadSamples)
        return std::nullopt;
    skipBlankLocked();
    const Text* text = findText(cursorSerial_);
    if (!text)
        return std::nullopt;
    // The last sentence of an open text may be cut short (mid-sentence, even mid-word): it waits for
    // the rest, also when it is empty so far.
    const CursorSentence* sentence = cursorSentenceLocked(*text);
    if (!sentence)
        return std::nullopt;
    const bool firstOfReading = segments_.empty() && playingSerial_ == 0;
    const qsizetype maxLength = voice_.backend == SynthBackendKind::Flite && firstOfReading
                                    ? kFirstFliteSentenceLength
                                    : kSentenceLength;
    SentenceSpan span = text->sentence(cursorPos_, maxLength);
    span.end = std::min(span.end, sentence->span.end);
    if (span.empty())
        return std::nullopt;

    Job job;
    job.segment = nextSegment_++;
    job.generation = generation_;
    job.text = text->utf8Slice(span.start, span.end);
    job.voice = voice_;
    job.prosody = prosody_;

    Segment segment;
    segment.id = job.segment;
    segment.textSerial = cursorSerial_;
    segment.start = span.start;
    segment.end = span.end;
    segment.sentence = sentence->span;
    segment.startsSentence = span.start == sentence->span.start;
    segment.trimQuietLead = firstOfReading;
    segments_.push_back(std::move(segment));
    cursorPos_ = span.end;
    skipBlankLocked();
    jobInFlight_ = true;
    return job;
}

bool SpeechStream::deliver(const Job& job, const std::int16_t* samples, std::size_t count)
{
    std::lock_guard lock(mutex_);
    if (job.generation != generation_ || segments_.empty() || segments_.back().id != job.segment)
        return false;
    appendLocked(segments_.back(), samples, count);
    return true;
}

void SpeechStream::appendLocked(Segment& segment, const std::int16_t* samples, std::size_t count)
{
    const std::int16_t* end = samples + count;
    if (segment.trimQuietLead) {
        std::vector<std::int16_t>& held = segment.quietLead;
        const std::int16_t* loud = std::find_if(
            samples, end, [](std::int16_t sample) { return std::abs(int{sample}) >= kQuietLevel; });
        const auto quiet = static_cast<std::size_t>(loud - samples);
        if (loud == end && held.size() + quiet <= kMaxTrimmed) {
            held.insert(held.end(), samples, end);
            return;
        }
        if (loud == end) {
            // Quiet for longer than a synthesiser's lead-in: this is what the text sounds like.
            releaseQuietLeadLocked(segment);
        } else {
            const std::size_t fromChunk = std::min(quiet, kOnsetMargin);
            const std::size_t fromHeld = std::min(kOnsetMargin - fromChunk, held.size());
            held.erase(held.begin(), held.end() - static_cast<std::ptrdiff_t>(fromHeld));
            releaseQuietLeadLocked(segment);
            samples = loud - fromChunk;
        }
    }
    segment.samples.insert(segment.samples.end(), samples, end);
    buffered_ += static_cast<std::size_t>(end - samples);
}

void SpeechStream::releaseQuietLeadLocked(Segment& segment)
{
    segment.samples.insert(segment.samples.end(), segment.quietLead.begin(), segment.quietLead.end());
    buffered_ += segment.quietLead.size();
    std::vector<std::int16_t>().swap(segment.quietLead);
    segment.trimQuietLead = false;
}

void SpeechStream::complete(const Job& job)
{
    std::lock_guard lock(mutex_);
    jobInFlight_ = false;
    if (job.generation == generation_ && !segments_.empty() && segments_.back().id == job.segment) {
        Segment& segment = segments_.back();
        if (segment.trimQuietLead)
            releaseQuietLeadLocked(segment);
        segment.complete = true;
    }
}

} // namespace narrix
