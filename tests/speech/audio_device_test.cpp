// The real audio path: the engine plays on the default device of a private PulseAudio server whose
// null sink is recorded from its monitor, through PulseAudio's own stream and through Qt's sink (which
// the Qt audio module gives).
#include "speech/text_to_speech.h"

#include "speech/recorded_speech.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace narrix {
namespace {

struct StreamCase
{
    const char* name;
    AudioSinkOptions::DeviceStream stream;
    bool listed; // the engine's Device names NullSink by its place in the list, else -1 (the default)
};

class AudioDevice : public ::testing::TestWithParam<StreamCase>
{
};

TEST_P(AudioDevice, SpeechIsHeardOnTheDefaultDevice)
{
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("heard.wav"));
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty()) << "the PulseAudio fixture did not start";

    QProcess recorder;
    recorder.start(QStringLiteral("parecord"),
                   {QStringLiteral("--device=nullsink.monitor"), QStringLiteral("--file-format=wav"),
                    QStringLiteral("--format=s16le"), QStringLiteral("--rate=22050"),
                    QStringLiteral("--channels=1"), recording});
    ASSERT_TRUE(recorder.waitForStarted(5000));
    QThread::msleep(300); // the recording stream connects

    AudioSinkOptions device; // NARRIX_AUDIO plays no part here
    device.deviceStream = GetParam().stream;
    TTextToSpeech engine(device);
    if (GetParam().listed) {
        const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
        const auto nullSink = std::find_if(outputs.begin(), outputs.end(), [](const QAudioDevice& output) {
            return output.description() == QStringLiteral("NullSink");
        });
        ASSERT_NE(nullSink, outputs.end());
        engine.SetDevice(static_cast<int>(nullSink - outputs.begin()));
    }
    engine.SetSpeed(175);
    QSignalSpy started(&engine, &SpeechEngine::OnSpeakingStarted);
    QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
    QElapsedTimer clock;
    clock.start();
    engine.Speak(QStringLiteral("This sentence goes through the sound server."));
    while (done.count() == 0 && clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    const qint64 elapsed = clock.elapsed();
    ASSERT_EQ(done.count(), 1);
    EXPECT_EQ(started.count(), 1);
    // Played in real time: done comes after the audio's length (about 2.5 s), not at once.
    EXPECT_GT(elapsed, 1500);

    QThread::msleep(300);
    recorder.terminate();
    ASSERT_TRUE(recorder.waitForFinished(5000));

    // Loud stretches of about the speech's length.
    const double loudSeconds = testing::loudSeconds(recording);
    EXPECT_GT(loudSeconds, 1.0);
    EXPECT_LT(loudSeconds, 5.0);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, AudioDevice,
    ::testing::Values(StreamCase{"PulseAudio", AudioSinkOptions::DeviceStream::Pulse, false},
                      StreamCase{"QtSink", AudioSinkOptions::DeviceStream::QtSink, false},
                      StreamCase{"PulseAudioListed", AudioSinkOptions::DeviceStream::Pulse, true},
                      StreamCase{"QtSinkListed", AudioSinkOptions::DeviceStream::QtSink, true}),
    [](const ::testing::TestParamInfo<StreamCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace narrix
