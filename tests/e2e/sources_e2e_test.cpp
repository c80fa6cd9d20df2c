// The real program on an X server of the test's own: words typed in another window are spoken as
// real-time speech (source 1), a text put on the clipboard is spoken as clipboard speech (source 2),
// what is typed into narrix's own window is not spoken; without a display the program still starts
// and closes cleanly.
#include "support/narrix_process.h"
#include "support/xvfb_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace narrix {
namespace {

struct Spoken
{
    int source;
    QString text;
    bool operator==(const Spoken&) const = default;
};

void PrintTo(const Spoken& spoken, std::ostream* out)
{
    *out << "{" << spoken.source << ", \"" << spoken.text.toStdString() << "\"}";
}

class Narrix
{
public:
    Narrix(const QTemporaryDir& root, QProcessEnvironment env, bool greeting)
        : logPath_(root.filePath(QStringLiteral("speech.jsonl"))),
          process_(environment(root, std::move(env), greeting, logPath_))
    {
    }

    bool startAndWaitUntilShown() { return process_.startAndWaitUntilShown(); }

    // SIGTERM closes through the close request; should a save prompt hold the close, a second one ends
    // the program. True for a normal exit with code 0.
    bool stop()
    {
        return process_.stopWith(SIGTERM, 5000) || (process_.running() && process_.stopWith(SIGTERM));
    }

    qint64 pid() const { return process_.pid(); }
    const QByteArray& errors() const { return process_.errors(); }

    // What the speech history holds: the texts handed to the engine, with their source.
    std::vector<Spoken> spoken() const
    {
        std::vector<Spoken> result;
        QFile file(logPath_);
        if (!file.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QJsonObject event = QJsonDocument::fromJson(line).object();
            if (event.value(QStringLiteral("event")).toString() == QStringLiteral("speak"))
                result.push_back({event.value(QStringLiteral("source")).toInt(),
                                  event.value(QStringLiteral("text")).toString()});
        }
        return result;
    }

    // Waits until the engine has finished everything it was given (at most ten seconds): real-time
    // words typed while another source speaks are dropped by the arbitration rule, not queued.
    bool waitUntilQuiet() const
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            QFile file(logPath_);
            if (file.open(QIODevice::ReadOnly)) {
                int open = 0;
                for (const QByteArray& line : file.readAll().split('\n')) {
                    const QString event =
                        QJsonDocument::fromJson(line).object().value(QStringLiteral("event")).toString();
                    if (event == QStringLiteral("started"))
                        ++open;
                    else if (event == QStringLiteral("done") && open > 0)
                        --open;
                }
                if (open == 0)
                    return true;
            }
            QThread::msleep(20);
        }
        return false;
    }

    // Waits until the speech history holds `expected` (at most ten seconds).
    bool waitUntilSpoken(const Spoken& expected) const
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            const std::vector<Spoken> now = spoken();
            if (std::find(now.begin(), now.end(), expected) != now.end())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

private:
    static QProcessEnvironment environment(const QTemporaryDir& root, QProcessEnvironment env, bool greeting,
                                           const QString& logPath)
    {
        // Not a first run (no offers), no tips, no time announcements.
        QDir().mkpath(root.filePath(QStringLiteral("config/Quillmark")));
        {
            QSettings stored(root.filePath(QStringLiteral("config/Quillmark/Narrix.conf")),
                             QSettings::IniFormat);
            stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
            stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
            stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
            if (!greeting)
                stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        }
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root.path());
        // A runtime folder of its own: a run beside it (another test) is another instance.
        const QString runtime = root.filePath(QStringLiteral("run"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), logPath);
        env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
        return env;
    }

    QString logPath_;
    testing::NarrixProcess process_;
};

class SourcesE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(server_.start(&error)) << error.toStdString();
    }

    bool xdotool(const QStringList& arguments, QByteArray* output = nullptr)
    {
        return server_.run(QStringLiteral("xdotool"), arguments, output);
    }
    bool type(const QString& text)
    {
        return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("1"), text}) &&
               xdotool({QStringLiteral("key"), QStringLiteral("space")});
    }

    testing::XvfbServer server_;
    QTemporaryDir root_;
};

TEST_F(SourcesE2E, TypingElsewhereAndTheClipboardAreSpokenTypingIntoNarrixIsNot)
{
    QProcessEnvironment env = server_.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    Narrix narrix(root_, env, false);
    ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();

    // A window of another program takes the keyboard.
    QProcess other;
    other.setProcessEnvironment(server_.environment());
    other.start(qEnvironmentVariable("FOCUS_WINDOW_PROGRAM"), {});
    ASSERT_TRUE(other.waitForReadyRead(10000));
    const QString otherWindow = QString::fromLatin1(other.readAllStandardOutput().trimmed());
    ASSERT_TRUE(server_.focus(otherWindow));
    ASSERT_TRUE(type(QStringLiteral("hello")));
    EXPECT_TRUE(narrix.waitUntilSpoken({1, QStringLiteral("hello")})) << narrix.errors().toStdString();

    // The clipboard (not the selection) is spoken by the next tick.
    QProcess xclip;
    xclip.setProcessEnvironment(server_.environment());
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-quiet")});
    ASSERT_TRUE(xclip.waitForStarted(10000));
    xclip.write("copied words");
    ASSERT_TRUE(xclip.waitForBytesWritten(10000));
    xclip.closeWriteChannel();
    EXPECT_TRUE(narrix.waitUntilSpoken({2, QStringLiteral("copied words")})) << narrix.errors().toStdString();
    xclip.kill();
    xclip.waitForFinished();
    ASSERT_TRUE(narrix.waitUntilQuiet());

    // Typing into narrix's own window is not real-time speech; back in the other window it is again.
    QByteArray found;
    ASSERT_TRUE(xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                         QString::number(narrix.pid())},
                        &found));
    const QString narrixWindow = QString::fromLatin1(found.trimmed().split('\n').first());
    ASSERT_TRUE(server_.focus(narrixWindow));
    ASSERT_TRUE(type(QStringLiteral("secret")));
    // The program asks which window has the focus when it handles a key, not when it was typed: a
    // slow run (sanitizers) is given time to handle its own keys before the focus moves on.
    QTest::qWait(1000);
    ASSERT_TRUE(server_.focus(otherWindow));
    QTest::qWait(1000);
    ASSERT_TRUE(type(QStringLiteral("after")));
    EXPECT_TRUE(narrix.waitUntilSpoken({1, QStringLiteral("after")})) << narrix.errors().toStdString();
    const std::vector<Spoken> expected = {
        {1, QStringLiteral("hello")}, {2, QStringLiteral("copied words")}, {1, QStringLiteral("after")}};
    EXPECT_EQ(narrix.spoken(), expected);

    other.kill();
    other.waitForFinished();
    EXPECT_TRUE(narrix.stop()) << narrix.errors().toStdString();
    EXPECT_FALSE(narrix.errors().contains("narrix: error")) << narrix.errors().toStdString();
}

TEST_F(SourcesE2E, WithoutADisplayTheProgramStartsAndClosesCleanly)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    Narrix narrix(root_, env, true);
    ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
    // The start-up ran to its end: the greeting, its last step, comes after connecting the hook.
    EXPECT_TRUE(narrix.waitUntilSpoken({5, QStringLiteral("Welcome to Narrix!")}));
    ASSERT_TRUE(narrix.stop()) << narrix.errors().toStdString();
    EXPECT_TRUE(narrix.errors().contains("librealtime: no X11 display")) << narrix.errors().toStdString();
    EXPECT_FALSE(narrix.errors().contains("narrix: error")) << narrix.errors().toStdString();
}

} // namespace
} // namespace narrix
