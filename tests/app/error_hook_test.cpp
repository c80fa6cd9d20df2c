#include "base/error_hook.h"
#include "base/speech_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace narrix {
namespace {

TEST(ErrorHook, AnEscapingErrorEndsTheHandlerAndIsReported)
{
    QStringList reported;
    setErrorSinkForTesting([&](const QString& where, const QString& message) {
        reported << where + QStringLiteral(": ") + message;
    });
    bool after = false;
    EXPECT_FALSE(runGuarded(QStringLiteral("tmrSchTimer"), [&] {
        throw std::runtime_error("socket error");
        after = true; // never reached
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(runGuarded(QStringLiteral("quiet"), [] {}));
    EXPECT_FALSE(runGuarded(QStringLiteral("odd"), [] { throw 42; }));
    setErrorSinkForTesting(nullptr);
    EXPECT_EQ(reported, (QStringList{QStringLiteral("tmrSchTimer: socket error"),
                                     QStringLiteral("odd: unknown error")}));
}

TEST(ErrorHook, ErrorsGoToTheSpeechLogAsJsonLines)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("speech.jsonl"));
    setSpeechLogPath(log.toStdString());
    reportEscapedError(QStringLiteral("FormCreate"), QStringLiteral("bad \"value\"\n\x01"));
    setSpeechLogPath({});
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(line.startsWith(QStringLiteral("{\"ms\":"))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral(
        ",\"event\":\"error\",\"where\":\"FormCreate\",\"message\":\"bad \\\"value\\\"\\n\\u0001\"}\n")))
        << line.toStdString();
}

} // namespace
} // namespace narrix
