// The speech history: JSON lines that black-box tests and users read back.
#include "speech/speech_log.h"

#include "fakes/fake_speech_engine.h"
#include "speech/fake_reading_host.h"
#include "speech/reading_control.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

// The log opens on first use and stays open for the process: one file for all tests here, the
// variable set before anything is logged.
const QString& historyPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("history.jsonl"));
        qputenv("NARRIX_SPEECH_LOG", file.toUtf8());
        return file;
    }();
    return path;
}

// The lines written since the file had `offset` bytes.
QList<QByteArray> linesSince(qint64 offset)
{
    QFile file(historyPath());
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    return file.readAll().split('\n');
}

TEST(SpeechLog, WritesOneParsableJsonObjectPerEvent)
{
    const QString& path = historyPath();

    const std::string awkward = "He said \"hi\"\\ \n\ttab \x01 caf\xC3\xA9 \xE2\x82\xAC bad\xFF end";
    speechLogSpeak(5, "Greetings", awkward);
    speechLogStarted();
    speechLogDone();
    speechLogError("engine \"broke\"");

    ASSERT_TRUE(QFile::exists(path));
    const QList<QByteArray> lines = linesSince(0);
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
    EXPECT_EQ(objects[3].value(QStringLiteral("text")).toString(), QStringLiteral("engine \"broke\""));
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

// Each text is logged with the title the status bar shows for it: the item's title for scheduled
// speech (5), the source's name for the others, never the title of an earlier item.
TEST(SpeechLog, EachTextIsLoggedWithTheTitleTheStatusBarShows)
{
    const qint64 offset = QFileInfo(historyPath()).size();
    ReadingState state;
    testing::FakeSpeechEngine engine;
    testing::FakeReadingHost host;
    ReadingControl control{state, engine, host};
    state.currentTitle = "Greetings";
    const std::vector<std::pair<SpeechSource, QString>> cases = {{SpeechSource::Scheduled, QStringLiteral("Greetings")},
                                                        {SpeechSource::Document, QStringLiteral("Document Speech")},
                                                        {SpeechSource::RealTime, QStringLiteral("Real-Time Speech")},
                                                        {SpeechSource::Clipboard, QStringLiteral("Clipboard Speech")},
                                                        {SpeechSource::TimeDate, QStringLiteral("Date/Time Speech")}};
    for (const auto& [source, title] : cases) {
        state.speechBuffer = "Some words.";
        control.SpeakBuffer(source);
        control.onSpeakingStarted();
        EXPECT_EQ(host.status, QStringLiteral(" Reading... [") + title + QLatin1Char(']'));
        control.onSpeakingDone();
    }
    std::vector<QString> logged;
    for (const QByteArray& line : linesSince(offset)) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value(QStringLiteral("event")).toString() == QStringLiteral("speak"))
            logged.push_back(object.value(QStringLiteral("title")).toString());
    }
    ASSERT_EQ(logged.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(logged[i], cases[i].second) << "source " << static_cast<int>(cases[i].first);
}

} // namespace
} // namespace narrix
