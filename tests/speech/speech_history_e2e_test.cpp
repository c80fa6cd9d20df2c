// The real program at start-up: the greeting goes through the engine into the WAV sink, and the speech
// history records it (speak, started, done) as JSON lines.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(SpeechHistory, TheGreetingIsSpokenAndLogged)
{
    QTemporaryDir root;
    const QString log = root.filePath(QStringLiteral("history.jsonl"));
    const QString wav = root.filePath(QStringLiteral("heard.wav"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("NARRIX_DATA_DIR"), root.path());
    env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("wav:") + wav);
    env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), log);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess narrix;
    narrix.setProcessEnvironment(env);
    narrix.setProgram(qEnvironmentVariable("NARRIX_EXE"));
    narrix.start();
    ASSERT_TRUE(narrix.waitForStarted(10000));

    QList<QJsonObject> events;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        events.clear();
        QFile file(log);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                if (!line.isEmpty())
                    events << QJsonDocument::fromJson(line).object();
            }
        }
        if (!events.isEmpty() && events.back().value(QStringLiteral("event")) == QStringLiteral("done"))
            break;
        QThread::msleep(20);
    }
    ::kill(static_cast<pid_t>(narrix.processId()), SIGTERM);
    EXPECT_TRUE(narrix.waitForFinished(20000));

    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].value(QStringLiteral("event")).toString(), QStringLiteral("speak"));
    EXPECT_EQ(events[0].value(QStringLiteral("source")).toInt(), 5);
    EXPECT_EQ(events[0].value(QStringLiteral("title")).toString(), QStringLiteral("Greetings"));
    EXPECT_EQ(events[0].value(QStringLiteral("text")).toString(), QStringLiteral("Welcome to Narrix!"));
    EXPECT_EQ(events[1].value(QStringLiteral("event")).toString(), QStringLiteral("started"));
    EXPECT_EQ(events[2].value(QStringLiteral("event")).toString(), QStringLiteral("done"));
    const qint64 speakMs = events[0].value(QStringLiteral("ms")).toInteger();
    EXPECT_GT(speakMs, 0);
    EXPECT_LE(speakMs, events[1].value(QStringLiteral("ms")).toInteger());
    EXPECT_LE(events[1].value(QStringLiteral("ms")).toInteger(),
              events[2].value(QStringLiteral("ms")).toInteger());

    // "Welcome to Narrix!" is about a second of speech.
    const qint64 bytes = QFile(wav).size();
    EXPECT_GT(bytes, 44 + 22050);
    EXPECT_LT(bytes, 44 + 22050 * 2 * 5);
}

} // namespace
