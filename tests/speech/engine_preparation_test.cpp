#include "speech/engine_preparation.h"

#include "fakes/fake_speech_engine.h"
#include "speech/reading_state.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeSpeechEngine;

void addVoices(FakeSpeechEngine& engine)
{
    engine.modes = {{QStringLiteral("Alpha"), QStringLiteral("a")},
                    {QStringLiteral("Beta"), QStringLiteral("b")},
                    {QStringLiteral("Beta"), QStringLiteral("second")},
                    {QStringLiteral("beta"), QStringLiteral("c")}};
}

TEST(EnginePreparation, SelectsTheFirstExactlyMatchingVoice)
{
    FakeSpeechEngine engine;
    addVoices(engine);
    ReadingState state;
    EXPECT_TRUE(prepareSpeechEngine(engine, state, QStringLiteral("Beta"), 2, 200));
    EXPECT_EQ(engine.CurrentMode(), 2);
    EXPECT_EQ(engine.SuppressExceptions(), 1);
    EXPECT_EQ(engine.Device(), 2);
    EXPECT_EQ(engine.Speed(), 200);
    EXPECT_EQ(state.minSpeed, 80);
    EXPECT_EQ(state.maxSpeed, 450);
    EXPECT_TRUE(state.attribChangeEnabled);
}

TEST(EnginePreparation, NoMatchKeepsTheEnginesDefault)
{
    FakeSpeechEngine engine;
    addVoices(engine);
    engine.selected = 3;
    ReadingState state;
    EXPECT_TRUE(prepareSpeechEngine(engine, state, QStringLiteral("BETA"), -1, 150));
    EXPECT_EQ(engine.CurrentMode(), 3);
    EXPECT_EQ(engine.Device(), -1);
}

TEST(EnginePreparation, AnUnusableVoiceKeepsTheDefaultAndTheRestStillRuns)
{
    FakeSpeechEngine engine;
    addVoices(engine);
    engine.modes[0].usable = false;
    ReadingState state;
    EXPECT_FALSE(prepareSpeechEngine(engine, state, QStringLiteral("Alpha"), 1, 170));
    EXPECT_EQ(engine.CurrentMode(), 1); // the fake's default, untouched
    EXPECT_EQ(engine.Speed(), 170);
    EXPECT_EQ(engine.SuppressExceptions(), 1);
}

TEST(EnginePreparation, AttributeChangesAreIgnoredWhileTheRangeIsMeasured)
{
    FakeSpeechEngine engine;
    ReadingState state;
    std::vector<bool> enabledAtChange;
    QObject context;
    QObject::connect(&engine, &SpeechEngine::OnAttribChanged, &context,
                     [&](int) { enabledAtChange.push_back(state.attribChangeEnabled); });
    prepareSpeechEngine(engine, state, QStringLiteral("Default Voice"), -1, 150);
    EXPECT_EQ(enabledAtChange, (std::vector<bool>{false, false, true}));
}

// An engine that stores any speed it is given.
class UnclampedEngine : public FakeSpeechEngine
{
public:
    void SetSpeed(int wpm) override { speed = wpm; }
};

TEST(EnginePreparation, AnEngineWithoutClampingStillGivesASensibleRange)
{
    UnclampedEngine engine;
    const SpeedRange range = measureSpeedRange(engine);
    EXPECT_GT(range.minimum, 0);
    EXPECT_GT(range.maximum, range.minimum);
}

} // namespace
} // namespace narrix
