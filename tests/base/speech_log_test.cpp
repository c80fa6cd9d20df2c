// The speech history: JSON lines that black-box tests and users read back.
#include "base/speech_log.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace narrix {
namespace {

TEST(SpeechLog, WritesOneParsableJsonObjectPerEvent)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.jsonl"));
    // The log opens on first use, so its file is named before anything is logged.
    setSpeechLogPath(path.toStdString());

    const std::string awkward = "He said \"hi\"\\ \n\ttab \x01 caf\xC3\xA9 \xE2\x82\xAC bad\xFF end";
    speechLogSpeak(5, "Greetings", awkward);
    speechLogStarted();
    speechLogDone();
    speechLogError("speak", "engine \"broke\"");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5); // four lines and the empty rest after the last newline
    EXPECT_TRUE(lines[4].isEmpty());
    std::vector<QJsonObject> objects;
    qint64 lastMs = -1;
    for (int i = 0; i < 4; ++i) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        objects.push_back(document.object());
        const qint64 ms = objects.back().value(QStringLiteral("ms")).toInteger(-1);
        EXPECT_GE(ms, lastMs);
        EXPECT_LT(ms, 600000); // counted from the start of this process
        lastMs = ms;
    }
    EXPECT_TRUE(lines[0].startsWith("{\"ms\":"));
    EXPECT_EQ(objects[0].value(QStringLiteral("event")).toString(), QStringLiteral("speak"));
    EXPECT_EQ(objects[0].value(QStringLiteral("source")).toInt(), 5);
    EXPECT_EQ(objects[0].value(QStringLiteral("title")).toString(), QStringLiteral("Greetings"));
    EXPECT_EQ(
        objects[0].value(QStringLiteral("text")).toString(),
        QString::fromUtf8("He said \"hi\"\\ \n\ttab \x01 caf\xC3\xA9 \xE2\x82\xAC bad\xEF\xBF\xBD end"));
    EXPECT_EQ(objects[1].value(QStringLiteral("event")).toString(), QStringLiteral("started"));
    EXPECT_EQ(objects[1].size(), 2);
    EXPECT_EQ(objects[2].value(QStringLiteral("event")).toString(), QStringLiteral("done"));
    EXPECT_EQ(objects[3].value(QStringLiteral("event")).toString(), QStringLiteral("error"));
    EXPECT_EQ(objects[3].value(QStringLiteral("where")).toString(), QStringLiteral("speak"));
    EXPECT_EQ(objects[3].value(QStringLiteral("message")).toString(), QStringLiteral("engine \"broke\""));
}

TEST(SpeechLog, EscapesControlCharactersAndKeepsValidUtf8)
{
    EXPECT_EQ(jsonEscape("a\x1f"
                         "b\x7f"),
              "a\\u001fb\\u007f");
    EXPECT_EQ(jsonEscape("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(jsonEscape("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"); // a lone surrogate
    EXPECT_EQ(jsonEscape("\xC3"), "\xEF\xBF\xBD");
    EXPECT_EQ(jsonEscape(""), "");
}

TEST(SpeechLog, LinesOfManyThreadsStayWholeAndTheFileIsTheOwnersOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("threads.jsonl"));
    setSpeechLogPath(path.toStdString());
    constexpr int kThreads = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            // Long enough that a line written in pieces would show up mixed with another.
            const std::string text(3000, static_cast<char>('a' + t));
            for (int i = 0; i < kLines; ++i)
                speechLogSpeak(t, "thread", text);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    // Another name: the next line goes to the new file.
    const QString second = dir.filePath(QStringLiteral("second.jsonl"));
    setSpeechLogPath(second.toStdString());
    speechLogDone();
    setSpeechLogPath({});
    speechLogDone(); // nowhere
    EXPECT_FALSE(speechLogEnabled());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_TRUE(lines.takeLast().isEmpty());
    ASSERT_EQ(lines.size(), kThreads * kLines);
    for (const QByteArray& line : lines) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        const int source = object.value(QStringLiteral("source")).toInt(-1);
        ASSERT_TRUE(source >= 0 && source < kThreads) << line.left(80).toStdString();
        EXPECT_EQ(object.value(QStringLiteral("text")).toString(),
                  QString(3000, QLatin1Char(char('a' + source))));
    }
    QFile secondFile(second);
    ASSERT_TRUE(secondFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(secondFile.readAll().count('\n'), 1);
}

} // namespace
} // namespace narrix
