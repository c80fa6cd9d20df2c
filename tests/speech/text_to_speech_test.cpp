// The real engine through the headless WAV sink: audio, events and the reading commands.
#include "speech/text_to_speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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

// Runs the event loop until `done` or the timeout; true when done.
template <typename Pred> bool waitFor(Pred done, int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

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

} // namespace
} // namespace narrix
