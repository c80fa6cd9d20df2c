// The real engine through the headless WAV sink: audio, events and the reading commands.
#include "speech/text_to_speech.h"

#include "speech/engine_factory.h"
#include "support/event_loop_wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace narrix {
namespace {

std::vector<std::int16_t> readWavSamples(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF"))
        return {};
    std::vector<std::int16_t> samples(static_cast<std::size_t>((bytes.size() - 44) / 2));
    std::memcpy(samples.data(), bytes.constData() + 44, samples.size() * 2);
    return samples;
}

double rms(const std::vector<std::int16_t>& samples)
{
    double sum = 0;
    for (auto s : samples)
        sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

using testing::waitFor;

int findMode(const TTextToSpeech& engine, const QString& prefix)
{
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        if (engine.ModeName(i).startsWith(prefix))
            return i;
    }
    return 0;
}

class EngineTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString wavPath() const { return dir.filePath(QStringLiteral("out.wav")); }
    AudioSinkOptions sink(double pace = 0) const
    {
        AudioSinkOptions options;
        options.kind = AudioSinkOptions::Kind::Wav;
        options.wavPath = wavPath();
        options.pace = pace;
        return options;
    }
};

TEST_F(EngineTest, SentenceGivesAudibleSpeechOfPlausibleLength)
{
    TTextToSpeech engine(sink());
    engine.SetSuppressExceptions(0);
    const int espeakEnglish = findMode(engine, QStringLiteral("English (America) (espeak-ng)"));
    ASSERT_GT(espeakEnglish, 0);
    engine.Select(espeakEnglish);
    engine.SetSpeed(175);
    QSignalSpy started(&engine, &SpeechEngine::OnSpeakingStarted);
    QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
    engine.Speak(QStringLiteral("The quick brown fox jumps over the lazy dog."));
    EXPECT_EQ(engine.Busy(), 1);
    ASSERT_TRUE(waitFor([&] { return done.count() == 1; }));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(engine.Busy(), 0);
    const auto samples = readWavSamples(wavPath());
    const double seconds = static_cast<double>(samples.size()) / 22050.0;
    // Nine words at 175 words per minute: about three seconds.
    EXPECT_GT(seconds, 1.5);
    EXPECT_LT(seconds, 6.0);
    EXPECT_GT(rms(samples), 300.0);
}

// Records the engine's events in order, with the thread each arrived on.
struct EventLog
{
    QStringList events;
    bool allOnMainThread = true;

    explicit EventLog(SpeechEngine& engine)
    {
        auto note = [this](const char* name) {
            events << QString::fromLatin1(name);
            allOnMainThread =
                allOnMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        };
        QObject::connect(&engine, &SpeechEngine::OnSpeak, &engine, [note] { note("speak"); });
        QObject::connect(&engine, &SpeechEngine::OnSpeakingStarted, &engine, [note] { note("started"); });
        QObject::connect(&engine, &SpeechEngine::OnSpeakingDone, &engine, [note] { note("done"); });
    }
    int count(const char* name) const { return static_cast<int>(events.count(QString::fromLatin1(name))); }
};

TEST_F(EngineTest, ModesAreUniqueAndDescribeTheirVoices)
{
    TTextToSpeech engine(sink());
    ASSERT_GT(engine.ModeCount(), 200); // espeak-ng voices and variants, and flite's four
    QSet<QString> names;
    bool femaleVariant = false;
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        EXPECT_FALSE(engine.ModeName(i).isEmpty());
        EXPECT_FALSE(engine.Speaker(i).isEmpty());
        names.insert(engine.ModeName(i));
        femaleVariant = femaleVariant ||
                        (engine.Gender(i) == 1 && engine.ModeName(i).contains(QStringLiteral("variant")));
    }
    EXPECT_EQ(names.size(), engine.ModeCount());
    EXPECT_TRUE(femaleVariant);
    const int slt = findMode(engine, QStringLiteral("SLT,"));
    ASSERT_GT(slt, 0);
    EXPECT_EQ(engine.Gender(slt), 1);
    EXPECT_EQ(engine.LanguageID(slt), 9);
    const int awb = findMode(engine, QStringLiteral("AWB,"));
    ASSERT_GT(awb, 0);
    EXPECT_EQ(engine.Gender(awb), 2);
    EXPECT_EQ(engine.LanguageID(findMode(engine, QStringLiteral("German (espeak-ng)"))), 7);
    EXPECT_EQ(engine.LanguageID(findMode(engine, QStringLiteral("French (France) (espeak-ng)"))), 12);
    EXPECT_EQ(engine.Gender(findMode(engine, QStringLiteral("German (espeak-ng)"))), 2);

    // Bad indices raise unless exceptions are suppressed.
    engine.SetSuppressExceptions(0);
    EXPECT_THROW(engine.ModeName(0), std::runtime_error);
    EXPECT_THROW(engine.Select(engine.ModeCount() + 1), std::runtime_error);
    engine.SetSuppressExceptions(1);
    EXPECT_TRUE(engine.ModeName(0).isEmpty());
    EXPECT_NO_THROW(engine.Select(-3));
}

TEST_F(EngineTest, SpeedIsClampedToTheVoicesRangeAndSharedByTheEnginesOfOneOwner)
{
    auto speed = std::make_shared<SharedSpeed>();
    TTextToSpeech engine(sink(), speed);
    TTextToSpeech other(sink(), speed);
    TTextToSpeech unrelated(sink());
    engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
    QSignalSpy changes(&other, &SpeechEngine::OnAttribChanged);
    engine.SetSpeed(0);
    EXPECT_EQ(engine.Speed(), 80);
    EXPECT_EQ(changes.count(), 1); // directly, not queued
    engine.SetSpeed(-1);
    EXPECT_EQ(engine.Speed(), 450);
    engine.SetSpeed(100000);
    EXPECT_EQ(engine.Speed(), 450);
    engine.SetSpeed(7);
    EXPECT_EQ(engine.Speed(), 80);
    engine.SetSpeed(200);
    EXPECT_EQ(other.Speed(), 200);
    EXPECT_EQ(unrelated.Speed(), 175); // no process-wide speed: another owner's engines keep theirs
    // flite's range is narrower.
    other.Select(findMode(other, QStringLiteral("SLT,")));
    other.SetSpeed(-1);
    EXPECT_EQ(other.Speed(), 370);
    other.SetSpeed(0);
    EXPECT_EQ(other.Speed(), 90);
}

TEST_F(EngineTest, OneFactoryGivesItsEnginesOneSpeedAndOneSettingsDialog)
{
    SpeechEngineFactory factory(sink());
    auto first = factory.create();
    int dialogs = 0;
    factory.setSettingsDialog([&dialogs](QObject*, TTextToSpeech&) { ++dialogs; });
    auto second = factory.create();
    first->SetSpeed(222);
    EXPECT_EQ(second->Speed(), 222);
    first->ShowSettingsDialog(nullptr);
    second->ShowSettingsDialog(nullptr);
    EXPECT_EQ(dialogs, 2);
}

TEST_F(EngineTest, FasterSpeechIsShorter)
{
    auto lengthAt = [this](int speed) {
        TTextToSpeech engine(sink());
        engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
        engine.SetSpeed(speed);
        QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
        engine.Speak(QStringLiteral("Speed is measured in words per minute, from slow to fast."));
        EXPECT_TRUE(waitFor([&] { return done.count() == 1; }));
        return readWavSamples(wavPath()).size();
    };
    const auto slow = lengthAt(100);
    const auto fast = lengthAt(300);
    EXPECT_GT(static_cast<double>(slow), 2.0 * static_cast<double>(fast));
}

TEST_F(EngineTest, FliteVoicesSpeak)
{
    TTextToSpeech engine(sink());
    engine.SetSuppressExceptions(0);
    for (const char* voice : {"SLT,", "KAL,"}) {
        engine.Select(findMode(engine, QString::fromLatin1(voice)));
        engine.SetSpeed(175);
        QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
        engine.Speak(QStringLiteral("Hello from flite."));
        ASSERT_TRUE(waitFor([&] { return done.count() == 1; })) << voice;
    }
    const auto samples = readWavSamples(wavPath());
    EXPECT_GT(samples.size(), 22050u); // two utterances of about a second each
    EXPECT_GT(rms(samples), 300.0);
}

TEST_F(EngineTest, EventsArriveInOrderOnTheMainThread)
{
    TTextToSpeech engine(sink());
    EventLog log(engine);
    engine.Speak(QStringLiteral("First text."));
    engine.Speak(QStringLiteral("Second text."));
    ASSERT_TRUE(waitFor([&] { return log.count("done") == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(log.events,
              (QStringList{QStringLiteral("speak"), QStringLiteral("speak"), QStringLiteral("started"),
                           QStringLiteral("started"), QStringLiteral("done")}));
    EXPECT_TRUE(log.allOnMainThread);

    // A text with nothing to say still ends, so nobody waits for ever.
    log.events.clear();
    engine.Speak(QStringLiteral("  \n "));
    ASSERT_TRUE(waitFor([&] { return log.count("done") == 1; }));
    EXPECT_EQ(log.count("started"), 0);
}

TEST_F(EngineTest, PauseHoldsTheAudioAndResumeGoesOn)
{
    TTextToSpeech engine(sink(4.0)); // four times real time
    engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
    engine.SetSpeed(175);
    EventLog log(engine);
    engine.Speak(QStringLiteral("This reading is long enough to be paused in the middle. It goes on for a "
                                "while, sentence after sentence. And then it ends."));
    ASSERT_TRUE(waitFor([&] { return log.count("started") == 1; }));
    waitFor([] { return false; }, 200);
    engine.Pause();
    EXPECT_EQ(engine.Busy(), 0);
    EXPECT_TRUE(engine.Active());
    QCoreApplication::processEvents();
    const auto atPause = readWavSamples(wavPath()).size();
    waitFor([] { return false; }, 300);
    EXPECT_EQ(readWavSamples(wavPath()).size(), atPause);
    EXPECT_EQ(log.count("done"), 0);
    // Speaking while paused queues without starting the audio.
    engine.Speak(QStringLiteral("Queued while paused."));
    waitFor([] { return false; }, 100);
    EXPECT_EQ(readWavSamples(wavPath()).size(), atPause);
    engine.Resume();
    EXPECT_EQ(engine.Busy(), 1);
    ASSERT_TRUE(waitFor([&] { return log.count("done") == 1; }));
    EXPECT_GT(readWavSamples(wavPath()).size(), atPause + 22050);
    EXPECT_EQ(log.count("started"), 2);
}

TEST_F(EngineTest, StopSilencesAtOnceAndRaisesDoneOnce)
{
    TTextToSpeech engine(sink(2.0));
    EventLog log(engine);
    QString longText;
    for (int i = 0; i < 200; ++i)
        longText += QStringLiteral("Sentence %1 of a long document. ").arg(i);
    engine.Speak(longText);
    ASSERT_TRUE(waitFor([&] { return log.count("started") == 1; }));
    waitFor([] { return false; }, 100);
    engine.StopSpeaking();
    EXPECT_EQ(engine.Busy(), 0);
    EXPECT_FALSE(engine.Active());
    QCoreApplication::processEvents();
    const auto atStop = readWavSamples(wavPath()).size();
    waitFor([] { return false; }, 300);
    EXPECT_EQ(readWavSamples(wavPath()).size(), atStop);
    EXPECT_EQ(log.count("done"), 1);
    engine.StopSpeaking();
    QCoreApplication::processEvents();
    EXPECT_EQ(log.count("done"), 1);

    // The engine speaks again afterwards.
    engine.Speak(QStringLiteral("Again."));
    ASSERT_TRUE(waitFor([&] { return log.count("done") == 2; }));
}

TEST_F(EngineTest, FastForwardSkipsAndRewindRepeats)
{
    const QString text = QStringLiteral("One two three four five six seven eight. Nine ten eleven twelve. "
                                        "Thirteen fourteen fifteen.");
    auto played = [&](void (TTextToSpeech::*command)()) {
        QFile::remove(wavPath());
        TTextToSpeech engine(sink(4.0));
        engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
        engine.SetSpeed(175);
        EventLog log(engine);
        engine.Speak(text);
        EXPECT_TRUE(waitFor([&] { return log.count("started") == 1; }));
        waitFor([] { return false; }, 250);
        if (command) {
            (engine.*command)();
            waitFor([] { return false; }, 250);
            (engine.*command)();
        }
        EXPECT_TRUE(waitFor([&] { return log.count("done") == 1; }));
        return static_cast<double>(readWavSamples(wavPath()).size());
    };
    const double plain = played(nullptr);
    const double skipped = played(&TTextToSpeech::FastForward);
    const double repeated = played(&TTextToSpeech::Rewind);
    EXPECT_LT(skipped, plain * 0.85);
    EXPECT_GT(repeated, plain * 1.15) << plain;
}

TEST_F(EngineTest, MissingDeviceFallsBackAndStillEnds)
{
    // No sound server in this environment (or the test server's null sink): either way the reading
    // reaches its end.
    AudioSinkOptions device;
    TTextToSpeech engine(device);
    engine.SetDevice(57);
    QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
    engine.Speak(QStringLiteral("Nobody hears this."));
    ASSERT_TRUE(waitFor([&] { return done.count() == 1; }));
}

TEST_F(EngineTest, VolumeAndPitchChangeTheAudio)
{
    auto speakWith = [this](VoiceTuning tuning) {
        QFile::remove(wavPath());
        TTextToSpeech engine(sink());
        engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
        const VoiceTuning stored = engine.Tuning();
        engine.SetTuning(tuning);
        QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
        engine.Speak(QStringLiteral("Volume and pitch are kept per voice."));
        EXPECT_TRUE(waitFor([&] { return done.count() == 1; }));
        engine.SetTuning(stored);
        return readWavSamples(wavPath());
    };
    VoiceTuning normal;
    VoiceTuning quiet;
    quiet.volume = 50;
    const auto loud = speakWith(normal);
    const auto soft = speakWith(quiet);
    ASSERT_FALSE(loud.empty());
    EXPECT_NEAR(rms(soft) / rms(loud), 0.5, 0.05);
    VoiceTuning high;
    high.pitch = 50;
    EXPECT_NE(speakWith(high), loud);
}

TEST_F(EngineTest, ATextHandedOverInTwoStepsIsOneReading)
{
    TTextToSpeech engine(sink());
    engine.Select(findMode(engine, QStringLiteral("English (America) (espeak-ng)")));
    EventLog log(engine);
    const QString first = QStringLiteral("The first part is heard at once, and the half wo");
    const QString whole = first + QStringLiteral("rd is finished by the rest. Which ends here.");
    engine.BeginText(first);
    waitFor([] { return false; }, 200);
    EXPECT_EQ(log.count("done"), 0); // waits for the rest
    engine.ContinueText(whole.toStdString(), static_cast<std::size_t>(first.toUtf8().size()));
    ASSERT_TRUE(waitFor([&] { return log.count("done") == 1; }));
    EXPECT_EQ(log.count("started"), 1);
    EXPECT_EQ(log.count("speak"), 1);
    // Both parts were spoken: well over three seconds at the usual speed.
    EXPECT_GT(readWavSamples(wavPath()).size(), 22050u * 3);
}
} // namespace
} // namespace narrix
