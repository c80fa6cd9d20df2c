// The engine reading through a real speech-dispatcher (started by libspeechd in the tests' private
// runtime folder) with its espeak-ng module, playing into the PulseAudio fixture's null sink.
#include "speech/engine_modes.h"
#include "speech/engine_preparation.h"
#include "speech/reading_state.h"
#include "speech/speechd_backend.h"
#include "speech/text_to_speech.h"
#include "support/event_loop_wait.h"

#include <QCoreApplication>
#include <QSet>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace narrix {
namespace {

const QString kServiceSuffix = QStringLiteral(" (speech-dispatcher espeak-ng)");
// Sentences at [0, 27), [28, 54) and [55, 79).
const QString kThreeSentences =
    QStringLiteral("The first sentence is here. The second one follows it. A third closes the text.");

using testing::settle;
using testing::waitFor;

struct ServiceEvents
{
    std::vector<std::pair<qint64, qint64>> sentences;
    int started = 0;
    int done = 0;

    explicit ServiceEvents(TTextToSpeech& engine)
    {
        QObject::connect(&engine, &SpeechEngine::OnSpeakingStarted, &engine, [this] { ++started; });
        QObject::connect(&engine, &SpeechEngine::OnSpeakingDone, &engine, [this] { ++done; });
        QObject::connect(&engine, &SpeechEngine::OnSentence, &engine,
                         [this](quint64, qint64 start, qint64 end) { sentences.emplace_back(start, end); });
    }
};

class ServiceReadingTest : public ::testing::Test
{
protected:
    // The device sink: the service plays on the sound card, so only such an engine offers its voices.
    TTextToSpeech engine{AudioSinkOptions{}};
    ServiceEvents events{engine};

    void SetUp() override
    {
        // They are listed off the start; the stored voice's selection waits for them (see below).
        waitForServiceVoices();
        engine.SetSuppressExceptions(0);
        int mode = 0;
        for (int i = 1; i <= engine.ModeCount() && mode == 0; ++i) {
            if (engine.ModeName(i) == QStringLiteral("English (America)") + kServiceSuffix)
                mode = i;
        }
        ASSERT_GT(mode, 0) << "speech-dispatcher's espeak-ng voices are not offered";
        engine.Select(mode);
        engine.SetSpeed(300);
    }
};

TEST(SpeechdRate, MapsWordsPerMinuteOntoTheServiceRate)
{
    const std::vector<std::pair<int, int>> cases = {{80, -100}, {125, -50}, {170, 0},  {280, 50},
                                                    {390, 100}, {20, -100}, {900, 100}};
    for (const auto& [wordsPerMinute, rate] : cases)
        EXPECT_EQ(speechdRate(wordsPerMinute), rate) << wordsPerMinute;
}

TEST_F(ServiceReadingTest, EveryModuleVoiceIsAModeWithItsLanguageAndGender)
{
    QSet<QString> names;
    int serviceModes = 0;
    bool femaleVariant = false;
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        const QString name = engine.ModeName(i);
        names.insert(name);
        if (!name.endsWith(kServiceSuffix))
            continue;
        ++serviceModes;
        if (name.startsWith(QStringLiteral("English (America)+female2 ")))
            femaleVariant = engine.Gender(i) == 1 && (engine.LanguageID(i) & 0x3ff) == 9;
        if (name.startsWith(QStringLiteral("German "))) {
            EXPECT_EQ(engine.LanguageID(i) & 0x3ff, 7) << name.toStdString();
        }
    }
    // espeak-ng's languages times its variants, after the program's own espeak-ng and flite modes.
    EXPECT_GT(serviceModes, 10000);
    EXPECT_TRUE(femaleVariant);
    EXPECT_EQ(names.size(), engine.ModeCount());
    EXPECT_FALSE(engine.ModeName(1).endsWith(kServiceSuffix));

    // An engine that does not play on the sound card does not offer them.
    AudioSinkOptions headless;
    headless.kind = AudioSinkOptions::Kind::Null;
    TTextToSpeech silent(headless);
    EXPECT_EQ(silent.ModeCount(), engine.ModeCount() - serviceModes);
}

TEST_F(ServiceReadingTest, StoredServiceVoiceIsSelectedAtStart)
{
    TTextToSpeech started{AudioSinkOptions{}};
    ReadingState state;
    const QString voice = QStringLiteral("English (Great Britain)") + kServiceSuffix;
    EXPECT_TRUE(prepareSpeechEngine(started, state, voice, -1, 200));
    EXPECT_EQ(started.ModeName(started.CurrentMode()), voice);
    EXPECT_EQ(state.minSpeed, kSpeechdMinSpeed);
    EXPECT_EQ(state.maxSpeed, kSpeechdMaxSpeed);
}

TEST_F(ServiceReadingTest, SpeaksWithSentenceMarksInOrderThenIsDone)
{
    engine.Speak(kThreeSentences);
    EXPECT_EQ(engine.Busy(), 1);
    ASSERT_TRUE(waitFor([&] { return events.done == 1; }));
    EXPECT_EQ(events.started, 1);
    const std::vector<std::pair<qint64, qint64>> expected = {{0, 27}, {28, 54}, {55, 79}};
    EXPECT_EQ(events.sentences, expected);
    EXPECT_EQ(engine.Busy(), 0);
    EXPECT_FALSE(engine.Active());
}

TEST_F(ServiceReadingTest, StopEndsAtOnceAndNothingFollows)
{
    engine.SetSpeed(80);
    engine.Speak(kThreeSentences);
    ASSERT_TRUE(waitFor([&] { return !events.sentences.empty(); }));
    engine.StopSpeaking();
    EXPECT_EQ(engine.Busy(), 0);
    ASSERT_TRUE(waitFor([&] { return events.done == 1; }));
    settle(1500);
    EXPECT_EQ(events.sentences.size(), 1u);
    EXPECT_EQ(events.done, 1);

    // The engine reads again afterwards.
    engine.SetSpeed(390);
    engine.Speak(QStringLiteral("Again."));
    ASSERT_TRUE(waitFor([&] { return events.done == 2; }));
}

TEST_F(ServiceReadingTest, RewindPauseAndResumeGoBySentence)
{
    engine.SetSpeed(120);
    engine.Speak(kThreeSentences);
    ASSERT_TRUE(waitFor([&] { return events.sentences.size() == 2; }));
    // Rewind during the second sentence goes back to the first.
    engine.Rewind();
    ASSERT_TRUE(waitFor([&] { return events.sentences.size() == 3; }));
    EXPECT_EQ(events.sentences[2].first, 0);

    // Pause stops the sound at once; resume says the interrupted sentence again and goes on.
    engine.Pause();
    EXPECT_EQ(engine.Busy(), 0);
    EXPECT_TRUE(engine.Active());
    settle(1500);
    const std::size_t heard = events.sentences.size();
    EXPECT_EQ(events.done, 0);
    engine.Resume();
    EXPECT_EQ(engine.Busy(), 1);
    ASSERT_TRUE(waitFor([&] { return events.sentences.size() > heard; }));
    EXPECT_EQ(events.sentences[heard], events.sentences[heard - 1]);

    // Fast forward at the last sentence ends the reading.
    ASSERT_TRUE(waitFor([&] { return events.sentences.back().first == 55 || events.done == 1; }));
    engine.FastForward();
    ASSERT_TRUE(waitFor([&] { return events.done == 1; }));
    EXPECT_EQ(events.sentences.back().first, 55);
    EXPECT_EQ(events.started, 1);
}

TEST_F(ServiceReadingTest, TextHandedOverInTwoPartsIsReadWhole)
{
    const QString firstPart = QStringLiteral("The first sentence is here. ");
    engine.BeginText(firstPart);
    engine.ContinueText(kThreeSentences.toStdString(), static_cast<std::size_t>(firstPart.toUtf8().size()));
    ASSERT_TRUE(waitFor([&] { return events.done == 1; }));
    ASSERT_EQ(events.sentences.size(), 3u);
    EXPECT_EQ(events.sentences.back(), std::make_pair(qint64{55}, qint64{79}));
}

} // namespace
} // namespace narrix
