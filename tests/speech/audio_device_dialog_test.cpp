// The device dialog against a private PulseAudio server with two null sinks: the list names both,
// the selection rules, and Play's speech reaching the chosen sink only (recorded from the monitors).
#include "speech/audio_device_dialog.h"
#include "speech/audio_device_list.h"
#include "speech/reading_control.h"
#include "speech/text_to_speech.h"

#include "speech/fake_reading_host.h"
#include "speech/keyboard_driver.h"
#include "speech/recorded_speech.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

using testing::loudSeconds;
using testing::pressKey;
using testing::tabTo;
using testing::whenModal;

std::unique_ptr<QProcess> record(const QString& monitor, const QString& path)
{
    auto recorder = std::make_unique<QProcess>();
    recorder->start(QStringLiteral("parecord"),
                    {QStringLiteral("--device=") + monitor, QStringLiteral("--file-format=wav"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=22050"),
                     QStringLiteral("--channels=1"), path});
    return recorder;
}

int outputIndex(const QString& description)
{
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (qsizetype i = 0; i < outputs.size(); ++i)
        if (outputs[i].description() == description)
            return static_cast<int>(i);
    return -1;
}

TEST(TfrmDevice, ListsTheSinksAndFollowsTheSelectionRules)
{
    ASSERT_GE(outputIndex(QStringLiteral("OtherSink")), 0) << "the PulseAudio fixture did not start";
    QStringList warnings;
    TfrmDevice dialog([&warnings](const QString& text) { warnings << text; });
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lbDevices"));
    dialog.open(-1);
    EXPECT_EQ(list->count(), QMediaDevices::audioOutputs().size() + 1);
    EXPECT_EQ(list->item(0)->text(), u"Default output (NullSink)"_s);
    EXPECT_FALSE(list->findItems(QStringLiteral("NullSink"), Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(list->findItems(QStringLiteral("OtherSink"), Qt::MatchExactly).isEmpty());
    EXPECT_EQ(list->currentRow(), 0);
    dialog.open(1);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(dialog.device(), 1);
    dialog.open(50);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(dialog.device(), 50);

    EXPECT_EQ(entryForDevice(-1, 1), 0);
    EXPECT_EQ(entryForDevice(0, 1), -1); // no output at all: only the default entry
    EXPECT_EQ(deviceForEntry(0), -1);
    EXPECT_EQ(deviceForEntry(3), 2);

    // OK without a change still warns and returns the same device; Esc changes nothing.
    dialog.open(-1);
    whenModal([](QWidget&) { pressKey(Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.device(), -1);
    EXPECT_EQ(warnings, QStringList{TfrmDevice::kWarning});
    whenModal([](QWidget&) { pressKey(Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(warnings.size(), 1);
}

TEST(TfrmDevice, PlayIsHeardOnTheChosenSinkOnly)
{
    const int other = outputIndex(QStringLiteral("OtherSink"));
    ASSERT_GE(other, 0) << "the PulseAudio fixture did not start";

    // Chosen by keyboard.
    TfrmDevice dialog([](const QString&) {});
    dialog.open(-1);
    whenModal([](QWidget& shown) {
        ASSERT_TRUE(tabTo(shown, QStringLiteral("lbDevices")));
        auto* list = shown.findChild<QListWidget*>(QStringLiteral("lbDevices"));
        for (int i = 0; i < 10 && list->currentItem()->text() != QStringLiteral("OtherSink"); ++i)
            pressKey(Qt::Key_Down);
        pressKey(Qt::Key_Return);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_EQ(dialog.device(), other);

    QTemporaryDir dir;
    const QString heardOther = dir.filePath(QStringLiteral("other.wav"));
    const QString heardDefault = dir.filePath(QStringLiteral("default.wav"));
    auto otherRecorder = record(QStringLiteral("othersink.monitor"), heardOther);
    auto defaultRecorder = record(QStringLiteral("nullsink.monitor"), heardDefault);
    ASSERT_TRUE(otherRecorder->waitForStarted(5000));
    ASSERT_TRUE(defaultRecorder->waitForStarted(5000));
    QThread::msleep(300); // the recording streams connect

    AudioSinkOptions device;
    TTextToSpeech engine(device);
    engine.SetDevice(dialog.device());
    ReadingState state;
    testing::FakeReadingHost host;
    host.document = "This sentence goes to the other sink.";
    ReadingControl reading(state, engine, host);
    QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
    reading.play();
    QElapsedTimer clock;
    clock.start();
    while (done.count() == 0 && clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    ASSERT_EQ(done.count(), 1);
    QThread::msleep(300);
    for (QProcess* recorder : {otherRecorder.get(), defaultRecorder.get()}) {
        recorder->terminate();
        ASSERT_TRUE(recorder->waitForFinished(5000));
    }
    EXPECT_GT(loudSeconds(heardOther), 1.0);
    EXPECT_EQ(loudSeconds(heardDefault), 0.0);
}

// Loads a null sink for one test; its module number, or -1.
int loadSink(const QString& name, const QString& description)
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                 QStringLiteral("sink_name=") + name,
                 QStringLiteral("sink_properties=device.description=") + description});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0)
        return -1;
    bool ok = false;
    const int module = pactl.readAllStandardOutput().trimmed().toInt(&ok);
    return ok ? module : -1;
}

bool unloadModule(int module)
{
    return QProcess::execute(QStringLiteral("pactl"),
                             {QStringLiteral("unload-module"), QString::number(module)}) == 0;
}

TEST(TfrmDevice, FollowsUnpluggingAndTheSpeechFallsBackToTheDefaultOutput)
{
    ASSERT_GE(outputIndex(QStringLiteral("OtherSink")), 0) << "the PulseAudio fixture did not start";
    TfrmDevice dialog([](const QString&) {});
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lbDevices"));
    dialog.open(-1);
    dialog.show();
    const int module = loadSink(QStringLiteral("gonesink"), QStringLiteral("GoneSink"));
    ASSERT_GE(module, 0);
    ASSERT_TRUE(QTest::qWaitFor([] { return outputIndex(QStringLiteral("GoneSink")) >= 0; }, 5000))
        << "Qt did not see the new sink";
    // The open dialog lists the new output.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !list->findItems(QStringLiteral("GoneSink"), Qt::MatchExactly).isEmpty(); }, 5000));
    list->setCurrentItem(list->findItems(QStringLiteral("GoneSink"), Qt::MatchExactly).first());
    const int gone = dialog.device();
    ASSERT_EQ(gone, outputIndex(QStringLiteral("GoneSink")));

    QTemporaryDir dir;
    const QString heardDefault = dir.filePath(QStringLiteral("default.wav"));
    auto recorder = record(QStringLiteral("nullsink.monitor"), heardDefault);
    ASSERT_TRUE(recorder->waitForStarted(5000));
    QThread::msleep(300);

    AudioSinkOptions device;
    TTextToSpeech engine(device);
    engine.SetDevice(gone);
    QSignalSpy started(&engine, &SpeechEngine::OnSpeakingStarted);
    QSignalSpy done(&engine, &SpeechEngine::OnSpeakingDone);
    QSignalSpy fellBack(&engine, &SpeechEngine::OnDeviceFallback);
    engine.Speak(QStringLiteral("This sentence starts on a device that is then unplugged, and it goes on."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.count() == 1; }, 10000));
    QTest::qWait(300);
    ASSERT_TRUE(unloadModule(module));
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 20000));
    // The rest is heard on the default output: PulseAudio moves the stream there, or, where the
    // stream fails instead, the engine opens the default output and says so.
    QThread::msleep(300);
    recorder->terminate();
    ASSERT_TRUE(recorder->waitForFinished(5000));
    EXPECT_GT(loudSeconds(heardDefault), 0.5);
    if (fellBack.count() == 1) {
        EXPECT_EQ(fellBack[0][0].toString(), QStringLiteral("GoneSink"));
    }
    // The dialog drops it and selects the default output.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list->findItems(QStringLiteral("GoneSink"), Qt::MatchExactly).isEmpty(); }, 5000));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(dialog.device(), -1);
}

} // namespace
} // namespace narrix
