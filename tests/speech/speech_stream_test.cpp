// The sentence walk, the read-ahead bound and the rewind / fast-forward positions of the stream,
// driven without a synthesiser; and the pieces it rests on (splitter, resampler, language codes).
#include "speech/language_codes.h"
#include "speech/resampler.h"
#include "speech/sentence_splitter.h"
#include "speech/speech_stream.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace narrix {
namespace {

// The sentences of a text, walked as the stream walks it; the UTF-8 walk must find the same ones.
QStringList sentences(const QString& text, qsizetype maxLength = 300)
{
    QStringList result;
    qsizetype from = 0;
    for (;;) {
        const SentenceSpan span = nextSentence(text, from, maxLength);
        if (span.empty())
            break;
        EXPECT_GT(span.end, from);
        result << text.mid(span.start, span.end - span.start);
        from = span.end;
    }
    const std::string utf8 = text.toStdString();
    QStringList fromUtf8;
    from = 0;
    for (;;) {
        // Lengths count bytes there: the limit only matters where the text is ASCII.
        const SentenceSpan span = nextSentence(std::string_view(utf8), from, maxLength);
        if (span.empty())
            break;
        fromUtf8 << QString::fromUtf8(utf8.data() + span.start, span.end - span.start);
        from = span.end;
    }
    if (text.size() == static_cast<qsizetype>(utf8.size()) || maxLength >= 300)
        EXPECT_EQ(fromUtf8, result) << text.toStdString();
    else
        EXPECT_EQ(fromUtf8.join(QString()), QString(result.join(QString()))) << text.toStdString();
    return result;
}

TEST(SentenceSplitter, EndsAtTerminalsBlankLinesAndTheLengthLimit)
{
    EXPECT_EQ(sentences(QStringLiteral("  One. Two!  Three?\"  Four")),
              (QStringList{QStringLiteral("One."), QStringLiteral("Two!"), QStringLiteral("Three?\""),
                           QStringLiteral("Four")}));
    EXPECT_EQ(sentences(QStringLiteral("3.14 is pi... right")),
              (QStringList{QStringLiteral("3.14 is pi..."), QStringLiteral("right")}));
    EXPECT_EQ(sentences(QStringLiteral("Title\n\nBody line\nwraps here")),
              (QStringList{QStringLiteral("Title"), QStringLiteral("Body line\nwraps here")}));
    EXPECT_EQ(sentences(QStringLiteral("aaa bbb ccc ddd"), 8),
              (QStringList{QStringLiteral("aaa bbb"), QStringLiteral("ccc ddd")}));
    EXPECT_EQ(sentences(QStringLiteral("abcdefghij"), 4),
              (QStringList{QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")}));
    EXPECT_TRUE(sentences(QStringLiteral(" \n\t ")).isEmpty());
    // Curly closers, the ellipsis character and non-breaking spaces.
    EXPECT_EQ(
        sentences(
            QString::fromUtf8("\xE2\x80\x9CYes.\xE2\x80\x9D No\xE2\x80\xA6 Maybe\xC2\xA0!\xC2\xA0 End")),
        (QStringList{QString::fromUtf8("\xE2\x80\x9CYes.\xE2\x80\x9D"), QString::fromUtf8("No\xE2\x80\xA6"),
                     QString::fromUtf8("Maybe\xC2\xA0!"), QStringLiteral("End")}));
    // A surrogate pair is never cut in two.
    const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80");
    const QStringList parts = sentences(emoji, 3);
    EXPECT_EQ(parts.join(QString()), emoji);
    for (const QString& part : parts)
        EXPECT_FALSE(part.back().isHighSurrogate());
}

TEST(Resampler, KeepsDurationAndShape)
{
    // One second of a 200 Hz sine at 16 kHz, fed in uneven pieces.
    std::vector<std::int16_t> input(16000);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] =
            static_cast<std::int16_t>(10000 * std::sin(2 * M_PI * 200 * static_cast<double>(i) / 16000));
    Resampler resampler(16000, 22050);
    std::vector<std::int16_t> out;
    std::size_t offset = 0;
    for (std::size_t piece : {1u, 7u, 1000u, 4992u, 10000u}) {
        resampler.process(input.data() + offset, piece, out);
        offset += piece;
    }
    ASSERT_EQ(offset, input.size());
    EXPECT_NEAR(static_cast<double>(out.size()), 22050.0, 3.0);
    for (std::size_t i = 0; i + 10 < out.size(); i += 97) {
        const double expected = 10000 * std::sin(2 * M_PI * 200 * static_cast<double>(i) / 22050);
        EXPECT_NEAR(out[i], expected, 150.0) << i;
    }
    Resampler same(22050, 22050);
    std::vector<std::int16_t> copy;
    same.process(input.data(), 100, copy);
    EXPECT_EQ(std::vector<std::int16_t>(input.begin(), input.begin() + 100), copy);
}

TEST(LanguageCodes, MapsVoiceLanguagesToWindowsPrimaryIdentifiers)
{
    EXPECT_EQ(windowsPrimaryLanguage("en-us"), 9);
    EXPECT_EQ(windowsPrimaryLanguage("en-gb-x-rp"), 9);
    EXPECT_EQ(windowsPrimaryLanguage("de"), 7);
    EXPECT_EQ(windowsPrimaryLanguage("fr-FR"), 12);
    EXPECT_EQ(windowsPrimaryLanguage("cmn"), 4);
    EXPECT_EQ(windowsPrimaryLanguage("pt-BR"), 22);
    EXPECT_EQ(windowsPrimaryLanguage("nb"), 20);
    EXPECT_EQ(windowsPrimaryLanguage("sr"), 26);
    EXPECT_EQ(windowsPrimaryLanguage("eu"), 45);
    EXPECT_EQ(windowsPrimaryLanguage("af"), 54);
    EXPECT_EQ(windowsPrimaryLanguage("qya"), 0);
    EXPECT_EQ(windowsPrimaryLanguage(""), 0);
}

// Plays the synthesiser's part: answers every job with `perChar` samples per character.
class StreamDriver
{
public:
    explicit StreamDriver(SpeechStream& stream) : stream_(stream) {}
    // Runs jobs while the stream wants them; returns the sentences synthesised.
    QStringList synthesize(std::size_t perChar = 100)
    {
        QStringList done;
        while (auto job = stream_.takeJob()) {
            std::vector<std::int16_t> samples(job->text.size() * perChar, 1);
            stream_.deliver(*job, samples.data(), samples.size());
            stream_.complete(*job);
            done << QString::fromStdString(job->text);
        }
        return done;
    }
    // Reads `count` samples; returns how many texts started.
    int play(std::size_t count, std::size_t* got = nullptr)
    {
        std::vector<std::int16_t> out(count);
        SpeechStream::ReadEvents events;
        const std::size_t n = stream_.read(out.data(), count, &events);
        if (got)
            *got = n;
        return events.textsStarted;
    }

private:
    SpeechStream& stream_;
};

TEST(SpeechStream, WalksQueuedTextsSentenceBySentenceAndReportsEachTextsStart)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    EXPECT_TRUE(stream.exhausted());
    stream.enqueue(QStringLiteral("First one. Second one."));
    stream.enqueue(QStringLiteral("   "));
    stream.enqueue(QStringLiteral("Third!"));
    EXPECT_FALSE(stream.exhausted());
    EXPECT_EQ(driver.synthesize(), (QStringList{QStringLiteral("First one."), QStringLiteral("Second one."),
                                                QStringLiteral("Third!")}));
    std::size_t got = 0;
    EXPECT_EQ(driver.play(100000, &got), 2);
    EXPECT_EQ(got, (10u + 11u + 6u) * 100u);
    EXPECT_TRUE(stream.exhausted());
}

TEST(SpeechStream, SynthesisStaysAFewSecondsAhead)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("This is sentence number %1. ").arg(i);
    stream.enqueue(text);
    driver.synthesize(400);
    const std::size_t ahead = stream.bufferedSamples();
    EXPECT_GE(ahead, SpeechStream::kAheadSamples);
    EXPECT_LT(ahead, SpeechStream::kAheadSamples + 300 * 400);
    // Playing makes room for more, never much more.
    for (int round = 0; round < 50; ++round) {
        driver.play(5000);
        driver.synthesize(400);
        EXPECT_LT(stream.bufferedSamples(), SpeechStream::kAheadSamples + 300 * 400);
    }
    EXPECT_FALSE(stream.exhausted());
    stream.clear();
    EXPECT_TRUE(stream.exhausted());
    EXPECT_EQ(stream.bufferedSamples(), 0u);
}

TEST(SpeechStream, FastForwardAndRewindMoveBySentences)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    stream.enqueue(QStringLiteral("Alpha. Bravo. Charlie. Delta."));
    driver.synthesize();
    driver.play(10); // "Alpha." is playing
    stream.fastForward();
    EXPECT_EQ(driver.synthesize(),
              (QStringList{QStringLiteral("Bravo."), QStringLiteral("Charlie."), QStringLiteral("Delta.")}));
    driver.play(10); // "Bravo."
    stream.fastForward();
    EXPECT_EQ(driver.synthesize().value(0), QStringLiteral("Charlie."));
    driver.play(10); // "Charlie."
    stream.rewind();
    EXPECT_EQ(driver.synthesize().value(0), QStringLiteral("Bravo."));
    driver.play(10); // "Bravo." again
    stream.rewind();
    EXPECT_EQ(driver.synthesize().value(0), QStringLiteral("Alpha."));
    driver.play(10);
    // At the first sentence, rewind starts it again.
    stream.rewind();
    EXPECT_EQ(driver.synthesize().value(0), QStringLiteral("Alpha."));
    // Rewinding did not raise a second start of the same text.
    EXPECT_EQ(driver.play(10), 0);
}

TEST(SpeechStream, FastForwardPastTheLastSentenceEndsTheReading)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    stream.enqueue(QStringLiteral("Only sentence."));
    driver.synthesize();
    driver.play(10);
    stream.fastForward();
    EXPECT_TRUE(driver.synthesize().isEmpty());
    EXPECT_TRUE(stream.exhausted());
}

TEST(SpeechStream, DroppedJobsDeliverNothing)
{
    SpeechStream stream;
    stream.enqueue(QStringLiteral("One. Two."));
    auto job = stream.takeJob();
    ASSERT_TRUE(job);
    stream.clear();
    const std::int16_t samples[4] = {1, 2, 3, 4};
    EXPECT_FALSE(stream.deliver(*job, samples, 4));
    stream.complete(*job);
    EXPECT_TRUE(stream.exhausted());
    EXPECT_EQ(stream.bufferedSamples(), 0u);
}

TEST(SpeechStream, AnOpenTextWaitsForItsRest)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    const QString head = QStringLiteral("Complete sentence. Half a wo");
    const std::uint64_t serial = stream.enqueue(head, true);
    // The piece at the end may be cut mid-word: it waits.
    EXPECT_EQ(driver.synthesize(), QStringList{QStringLiteral("Complete sentence.")});
    driver.play(100000);
    EXPECT_FALSE(stream.exhausted());
    // Only an extension of the same text is taken.
    stream.extend(serial, "Something else entirely.");
    EXPECT_TRUE(driver.synthesize().isEmpty());
    stream.extend(serial, (head + QStringLiteral("rd, then the end.")).toStdString());
    EXPECT_EQ(driver.synthesize(), QStringList{QStringLiteral("Half a word, then the end.")});
    EXPECT_EQ(driver.play(100000), 0); // still the same text: no second start
    EXPECT_TRUE(stream.exhausted());

    // A stopped open text is not brought back by its rest.
    const std::uint64_t second = stream.enqueue(QStringLiteral("Gone"), true);
    stream.clear();
    stream.extend(second, "Gone for good.");
    EXPECT_TRUE(driver.synthesize().isEmpty());
    EXPECT_TRUE(stream.exhausted());
}

// A document still being read grows piece by piece: each sentence is spoken once it is whole, the
// reading waits at the end of what has come, and closing the text lets it end.
TEST(SpeechStream, AGrowingTextWaitsForEachPiece)
{
    SpeechStream stream;
    StreamDriver driver(stream);
    const std::uint64_t serial = stream.enqueue(QStringLiteral("First page ends mid-sen"), true);
    EXPECT_TRUE(driver.synthesize().isEmpty());
    stream.append(serial, "tence. Second page", false);
    EXPECT_EQ(driver.synthesize(), QStringList{QStringLiteral("First page ends mid-sentence.")});
    driver.play(100000);
    EXPECT_FALSE(stream.exhausted()) << "the reading waits for the next piece";
    stream.append(serial, " goes on. Third", false);
    EXPECT_EQ(driver.synthesize(), QStringList{QStringLiteral("Second page goes on.")});
    stream.append(serial, " page.", true);
    EXPECT_EQ(driver.synthesize(), QStringList{QStringLiteral("Third page.")});
    driver.play(100000);
    EXPECT_TRUE(stream.exhausted());
    // A closed or stopped text takes nothing more.
    stream.append(serial, " Late.", false);
    EXPECT_TRUE(driver.synthesize().isEmpty());
    const std::uint64_t stopped = stream.enqueue(QStringLiteral("Stopped"), true);
    stream.clear();
    stream.append(stopped, " text.", true);
    EXPECT_TRUE(driver.synthesize().isEmpty());
    EXPECT_TRUE(stream.exhausted());
}
} // namespace
} // namespace narrix

namespace narrix {
namespace {

// Where each sentence's audio begins is reported in UTF-16 units of the text as queued, for texts
// kept in UTF-8 (a long text handed over in two steps) as for the others, also after a rewind.
TEST(SpeechStream, ReportsSentencePositionsInUtf16Units)
{
    const QString text = QStringLiteral("Gr\u00fc\u00df \U0001F60A dich. Zweiter Satz! Dritter \u20ac.");
    const QStringList expected{QStringLiteral("Gr\u00fc\u00df \U0001F60A dich."),
                               QStringLiteral("Zweiter Satz!"), QStringLiteral("Dritter \u20ac.")};
    for (const bool open : {false, true}) {
        SCOPED_TRACE(open ? "UTF-8" : "UTF-16");
        SpeechStream stream;
        const std::uint64_t serial = stream.enqueue(text, open);
        if (open)
            stream.extend(serial, text.toStdString());
        std::vector<std::size_t> lengths;
        while (auto job = stream.takeJob()) {
            std::vector<std::int16_t> samples(job->text.size() * 10, 1);
            stream.deliver(*job, samples.data(), samples.size());
            stream.complete(*job);
            lengths.push_back(samples.size());
        }
        ASSERT_EQ(lengths.size(), 3u);
        const auto playSentence = [&](std::size_t index) {
            std::vector<std::int16_t> out(lengths[index]);
            SpeechStream::ReadEvents events;
            stream.read(out.data(), out.size(), &events);
            return events;
        };
        for (std::size_t i = 0; i < 2; ++i) {
            const SpeechStream::ReadEvents events = playSentence(i);
            EXPECT_EQ(events.sentenceText, serial);
            EXPECT_EQ(events.sentenceStart, text.indexOf(expected[int(i)]));
            EXPECT_EQ(events.sentenceEnd, events.sentenceStart + expected[int(i)].size());
        }
        // Back to the first sentence while the second plays.
        stream.rewind();
        stream.rewind();
        while (auto job = stream.takeJob()) {
            std::vector<std::int16_t> samples(job->text.size() * 10, 1);
            stream.deliver(*job, samples.data(), samples.size());
            stream.complete(*job);
        }
        const SpeechStream::ReadEvents again = playSentence(0);
        EXPECT_EQ(again.sentenceStart, 0);
    }
}

} // namespace
} // namespace narrix

namespace narrix {
namespace {

// A sentence longer than the synthesiser takes at once (one of the GPL's runs to 700 characters)
// is synthesised in pieces, but heard, followed, skipped and rewound as the one sentence it is.
TEST(SpeechStream, ALongSentenceCutIntoPiecesStaysOneSentence)
{
    QString longSentence = QStringLiteral("For example, if you distribute copies of such a program");
    while (longSentence.size() < 700)
        longSentence += QStringLiteral(", whether gratis or for a fee, you must pass on to the recipients");
    longSentence += QLatin1Char('.');
    const QString text = QStringLiteral("Short one. ") + longSentence + QStringLiteral(" Last one.");
    const qsizetype longStart = text.indexOf(longSentence);
    const qsizetype longEnd = longStart + longSentence.size();
    const qsizetype lastStart = text.indexOf(QStringLiteral("Last one."));
    constexpr std::size_t kPerChar = 10;

    for (const bool open : {false, true}) {
        SCOPED_TRACE(open ? "handed over in two steps" : "queued whole");
        SpeechStream stream;
        StreamDriver driver(stream);
        const std::uint64_t serial = stream.enqueue(open ? text.left(longStart + 40) : text, open);
        if (open) {
            // The long sentence is not begun before its end is known.
            EXPECT_EQ(driver.synthesize(kPerChar), QStringList{QStringLiteral("Short one.")});
            stream.extend(serial, text.toStdString());
        }
        const QStringList pieces = driver.synthesize(kPerChar);
        ASSERT_GE(pieces.size(), open ? 4 : 5);
        EXPECT_EQ(pieces.back(), QStringLiteral("Last one."));
        const QStringList longPieces = pieces.mid(open ? 0 : 1, pieces.size() - (open ? 1 : 2));
        EXPECT_GE(longPieces.size(), 3);
        EXPECT_EQ(longPieces.join(QLatin1Char(' ')), longSentence);

        // Heard in small reads: one sentence event per sentence, each spanning the whole sentence.
        std::vector<std::pair<qsizetype, qsizetype>> heard;
        for (;;) {
            std::vector<std::int16_t> out(50);
            SpeechStream::ReadEvents events;
            if (stream.read(out.data(), out.size(), &events) == 0)
                break;
            if (events.sentenceText != 0) {
                EXPECT_EQ(events.sentenceText, serial);
                heard.emplace_back(events.sentenceStart, events.sentenceEnd);
            }
        }
        EXPECT_EQ(heard, (std::vector<std::pair<qsizetype, qsizetype>>{
                             {0, 10}, {longStart, longEnd}, {lastStart, text.size()}}));
    }

    // Fast forward and rewind from inside the long sentence's second piece.
    SpeechStream stream;
    StreamDriver driver(stream);
    stream.enqueue(text);
    QStringList pieces = driver.synthesize(kPerChar);
    const std::size_t intoSecondPiece =
        static_cast<std::size_t>(pieces[0].toUtf8().size() + pieces[1].toUtf8().size()) * kPerChar + 5;
    driver.play(intoSecondPiece);
    stream.fastForward();
    EXPECT_EQ(driver.synthesize(kPerChar), QStringList{QStringLiteral("Last one.")});
    driver.play(5); // "Last one." is heard
    stream.rewind();
    pieces = driver.synthesize(kPerChar);
    ASSERT_GE(pieces.size(), 2);
    EXPECT_TRUE(longSentence.startsWith(pieces[0])); // back to the long sentence's start
    driver.play(static_cast<std::size_t>(pieces[0].toUtf8().size()) * kPerChar + 5); // into its second piece
    stream.rewind();
    EXPECT_EQ(driver.synthesize(kPerChar).value(0), QStringLiteral("Short one."));
}

} // namespace
} // namespace narrix

namespace narrix {
namespace {

// A reading is heard from its first loud sample: the synthesiser's lead-in of near-silence (flite
// leads with about 200 ms) is left out of the first sentence, 10 ms before the onset kept; anything
// else keeps its quiet.
TEST(SpeechStream, TheFirstSentenceOfAReadingStartsAtItsFirstLoudSample)
{
    constexpr std::size_t kMargin = SpeechStream::kSampleRate / 100;
    struct Case
    {
        const char* name;
        std::vector<std::size_t> quietChunks; // quiet samples (level 200) per delivery, then 1000 loud ones
        bool loud;                            // false: the sentence is quiet to its end
        std::size_t expectedFirst;            // samples heard of the first sentence
    };
    const Case cases[] = {
        {"lead-in in one delivery", {4410}, true, kMargin + 1000},
        {"lead-in over three deliveries", {4000, 100, 50}, true, kMargin + 1000},
        {"onset right at the start", {0}, true, 1000},
        {"shorter lead-in than the margin", {100}, true, 100 + 1000},
        {"quiet to its end", {3000}, false, 3000},
        {"quiet for longer than half a second", {6000, 6000}, true, 12000 + 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpeechStream stream;
        stream.enqueue(QStringLiteral("First one. Second one."));
        auto first = stream.takeJob();
        ASSERT_TRUE(first);
        for (const std::size_t count : c.quietChunks) {
            const std::vector<std::int16_t> quiet(count, 200);
            stream.deliver(*first, quiet.data(), quiet.size());
        }
        const std::vector<std::int16_t> loud(1000, -1000);
        if (c.loud)
            stream.deliver(*first, loud.data(), loud.size());
        stream.complete(*first);
        // The second sentence keeps its lead-in.
        auto second = stream.takeJob();
        ASSERT_TRUE(second);
        const std::vector<std::int16_t> quiet(4410, 0);
        stream.deliver(*second, quiet.data(), quiet.size());
        stream.deliver(*second, loud.data(), loud.size());
        stream.complete(*second);
        EXPECT_EQ(stream.bufferedSamples(), c.expectedFirst + 4410 + 1000);

        std::vector<std::int16_t> heard(100000);
        const std::size_t got = stream.read(heard.data(), heard.size(), nullptr);
        ASSERT_EQ(got, c.expectedFirst + 4410 + 1000);
        if (c.loud) { // the loud part of the first sentence is whole, and comes right after the margin
            const auto firstEnd = heard.begin() + static_cast<std::ptrdiff_t>(c.expectedFirst);
            EXPECT_EQ(std::count(heard.begin(), firstEnd, std::int16_t{-1000}), 1000);
        }
        EXPECT_TRUE(stream.exhausted());
    }
}

} // namespace
} // namespace narrix
