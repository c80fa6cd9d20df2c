// Diagnostics go through Qt's logging categories; errors also reach the speech history.
#include "base/diagnostics.h"
#include "base/speech_log.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

QStringList* captured = nullptr;

void capture(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (captured)
        captured->append(QString::fromUtf8(context.category) + QStringLiteral(": ") + message);
}

TEST(Diagnostics, ErrorsAreWarningsOfTheirCategoryThatLoggingRulesCanSilence)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.jsonl"));
    setSpeechLogPath(path.toStdString());
    QStringList messages;
    captured = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(capture);

    reportError(lcNarrix, "FormCreate", "setting Speed is not a number");
    reportError(lcSpeech, "speak", "caf\xC3\xA9 \"closed\"");
    qCDebug(lcAudio, "underrun"); // debug is off by default
    QLoggingCategory::setFilterRules(QStringLiteral("narrix.speech.warning=false\nnarrix.audio.debug=true"));
    reportError(lcSpeech, "pause", "silenced on stderr, still in the history");
    qCDebug(lcAudio, "underrun");
    QLoggingCategory::setFilterRules(QString());

    qInstallMessageHandler(previous);
    captured = nullptr;
    setSpeechLogPath({});

    EXPECT_EQ(messages,
              (QStringList{QStringLiteral("narrix: error in FormCreate: setting Speed is not a number"),
                           QString::fromUtf8("narrix.speech: error in speak: caf\xC3\xA9 \"closed\""),
                           QStringLiteral("narrix.audio: underrun")}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);
    const QJsonObject last = QJsonDocument::fromJson(lines[2]).object();
    EXPECT_EQ(last.value(QStringLiteral("event")).toString(), QStringLiteral("error"));
    EXPECT_EQ(last.value(QStringLiteral("where")).toString(), QStringLiteral("pause"));
    EXPECT_EQ(last.value(QStringLiteral("message")).toString(),
              QStringLiteral("silenced on stderr, still in the history"));
    EXPECT_EQ(last.keys(), (QStringList{QStringLiteral("event"), QStringLiteral("message"),
                                        QStringLiteral("ms"), QStringLiteral("where")}));
}

} // namespace
} // namespace narrix
