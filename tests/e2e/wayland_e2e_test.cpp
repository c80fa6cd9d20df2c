// The real narrix under a headless Wayland compositor (weston) of the test's own: `narrix FILE` speaks
// the file and ends, and says on stderr which background sources hear nothing there: without an X11
// display neither typing nor clipboard speech, with one (as XWayland gives) only clipboard speech.
#include "support/xvfb_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kSocket = QStringLiteral("narrix-test-wayland");

QStringList spokenTexts(const QString& log)
{
    QStringList texts;
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event.value(QStringLiteral("event")).toString() == QLatin1String("speak"))
            texts << event.value(QStringLiteral("text")).toString();
    }
    return texts;
}

// weston with its headless back end in `runtime`, its socket named kSocket; stopped with the object.
class HeadlessWeston
{
public:
    ~HeadlessWeston()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool start(const QString& runtime, QString* error)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DISPLAY"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral("weston"),
                       {QStringLiteral("--backend=headless-backend.so"),
                        QStringLiteral("--socket=") + kSocket, QStringLiteral("--no-config"),
                        QStringLiteral("--idle-time=0")});
        if (!process_.waitForStarted(10000)) {
            *error = QStringLiteral("weston did not start: ") + process_.errorString();
            return false;
        }
        const QDeadlineTimer deadline(20000);
        while (!QFileInfo::exists(runtime + QLatin1Char('/') + kSocket)) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning) {
                *error =
                    QStringLiteral("weston made no socket: ") + QString::fromLocal8Bit(process_.readAll());
                return false;
            }
            QThread::msleep(20);
        }
        return true;
    }

private:
    QProcess process_;
};

class WaylandE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
            GTEST_SKIP() << "weston is not installed: no Wayland compositor to run under";
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               QStringLiteral("/platforms/libqwayland-generic.so")))
            GTEST_SKIP() << "Qt's Wayland platform plugin (qt6-wayland) is not installed";
        ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
        runtime_ = root_.filePath(QStringLiteral("run"));
        QDir().mkpath(runtime_);
        QFile::setPermissions(runtime_,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QString problem;
        ASSERT_TRUE(weston_.start(runtime_, &problem)) << problem.toStdString();
        QDir().mkpath(root_.filePath(QStringLiteral("config/Quillmark")));
        QSettings stored(root_.filePath(QStringLiteral("config/Quillmark/Narrix.conf")),
                         QSettings::IniFormat);
        stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    }

    QProcessEnvironment environment(const QString& x11Display, const QString& log) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), log);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
        // No session bus, and none started: with a display named, libdbus would otherwise fork one
        // from narrix's bus thread, and a forked child of a sanitized narrix can hang in the allocator.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        // Under a sanitized build: the Wayland platform plugin's buffers, freed by no one at exit, come
        // from a library already unloaded by then, so no suppression can name them.
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        if (x11Display.isEmpty())
            env.remove(QStringLiteral("DISPLAY"));
        else
            env.insert(QStringLiteral("DISPLAY"), x11Display);
        return env;
    }

    QTemporaryDir root_;
    QString runtime_;
    HeadlessWeston weston_;
};

TEST_F(WaylandE2E, SpeaksAFileAndSaysWhichSourcesHearNothing)
{
    const QString typingReason = QStringLiteral("Real-time speech cannot hear keys here");
    const QString clipboardReason = QStringLiteral("Clipboard speech cannot hear what other programs copy");
    // An X server of the test's own stands in for XWayland.
    narrix::testing::XvfbServer xwayland;
    QString problem;
    ASSERT_TRUE(xwayland.start(&problem)) << problem.toStdString();
    struct Row
    {
        const char* name;
        QString display;
        bool typingHeard;
    };
    const Row rows[] = {{"wayland only", QString(), false}, {"with XWayland", xwayland.display(), true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text =
            QStringLiteral("Spoken under Wayland, ") + QLatin1String(row.name) + QLatin1Char('.');
        const QString document = root_.filePath(QLatin1String(row.name) + QStringLiteral(".txt"));
        {
            QFile file(document);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        const QString log = root_.filePath(QLatin1String(row.name) + QStringLiteral(".jsonl"));
        QProcess narrix;
        narrix.setProcessEnvironment(environment(row.display, log));
        narrix.start(qEnvironmentVariable("NARRIX_EXE"), {document});
        ASSERT_TRUE(narrix.waitForStarted(10000));
        if (!narrix.waitForFinished(60000))
            narrix.kill();
        narrix.waitForFinished(5000);
        const QString errors = QString::fromLocal8Bit(narrix.readAllStandardError());
        EXPECT_EQ(narrix.exitStatus(), QProcess::NormalExit) << errors.toStdString();
        EXPECT_EQ(narrix.exitCode(), 0) << errors.toStdString();
        const QStringList spoken = spokenTexts(log);
        EXPECT_TRUE(std::any_of(spoken.begin(), spoken.end(),
                                [&](const QString& said) { return said.simplified().contains(text); }))
            << spoken.join(QStringLiteral("\n|")).toStdString() << errors.toStdString();
        EXPECT_FALSE(errors.contains(QLatin1String("could not find the Qt platform plugin")));
        EXPECT_EQ(errors.contains(typingReason), !row.typingHeard) << errors.toStdString();
        // With XWayland the keyboard hook records on its display.
        EXPECT_EQ(errors.contains(QLatin1String("librealtime: no X11 display")), !row.typingHeard);
        EXPECT_TRUE(errors.contains(clipboardReason)) << errors.toStdString();
    }
}

} // namespace
