// Drives the real narrix binary: start, wait until its window is shown, stop it with a signal, read
// the settings file it wrote.
#include "support/narrix_process.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

namespace {

// The program with its files in `root`, offscreen, without sound.
class NarrixProcess : public narrix::testing::NarrixProcess
{
public:
    explicit NarrixProcess(const QString& root) : narrix::testing::NarrixProcess(environment(root)) {}

private:
    static QString privateFolder(const QString& path)
    {
        QDir().mkpath(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }

    static QProcessEnvironment environment(const QString& root)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root + QStringLiteral("/data"));
        // A runtime folder of its own: a run beside it (another test) is another instance.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), privateFolder(root + QStringLiteral("/run")));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
        env.remove(QStringLiteral("NARRIX_SPEECH_LOG"));
        return env;
    }
};

QString settingsFile(const QTemporaryDir& root)
{
    return root.filePath(QStringLiteral("config/Quillmark/Narrix.conf"));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(NarrixE2E, FirstStartWritesEveryDefaultAndReadsItsOwnFileBack)
{
    ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
    QTemporaryDir root;
    {
        NarrixProcess narrix(root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        // The first run's offers are up now; the signal still ends the program through the close.
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
        EXPECT_FALSE(narrix.errors().contains("narrix: error")) << narrix.errors().toStdString();
    }
    QSettings stored(settingsFile(root), QSettings::IniFormat);
    const QStringList expected = {QStringLiteral("CloseIcon"),
                                  QStringLiteral("DateStyle"),
                                  QStringLiteral("Device"),
                                  QStringLiteral("EnableClipboard"),
                                  QStringLiteral("EnableRealtime"),
                                  QStringLiteral("EnableSchedule"),
                                  QStringLiteral("FollowAlong"),
                                  QStringLiteral("FontCharset"),
                                  QStringLiteral("FontColor"),
                                  QStringLiteral("FontName"),
                                  QStringLiteral("FontSize"),
                                  QStringLiteral("FontStyle"),
                                  QStringLiteral("Greetings"),
                                  QStringLiteral("HourFormat"),
                                  QStringLiteral("NormalIcon"),
                                  QStringLiteral("OpenIcon"),
                                  QStringLiteral("Port"),
                                  QStringLiteral("Proxy"),
                                  QStringLiteral("RealCustom"),
                                  QStringLiteral("RealMode"),
                                  QStringLiteral("ShortcutPlayPause"),
                                  QStringLiteral("ShortcutReadClipboard"),
                                  QStringLiteral("ShortcutStop"),
                                  QStringLiteral("Speed"),
                                  QStringLiteral("Split1"),
                                  QStringLiteral("Split2"),
                                  QStringLiteral("StartMinimized"),
                                  QStringLiteral("TaskbarButton"),
                                  QStringLiteral("TellTime"),
                                  QStringLiteral("Theme"),
                                  QStringLiteral("TimeStyle"),
                                  QStringLiteral("ViewNarrixLogo"),
                                  QStringLiteral("ViewStatusbar"),
                                  QStringLiteral("ViewToolbar"),
                                  QStringLiteral("Voice"),
                                  QStringLiteral("WindowHeight"),
                                  QStringLiteral("WindowLeft"),
                                  QStringLiteral("WindowState"),
                                  QStringLiteral("WindowTop"),
                                  QStringLiteral("WindowWidth")};
    QStringList keys = stored.allKeys();
    keys.sort();
    EXPECT_EQ(keys, expected);
    const auto text = [&](const char* name) { return stored.value(QString::fromLatin1(name)).toString(); };
    EXPECT_EQ(text("WindowState"), QStringLiteral("Normal"));
    EXPECT_EQ(text("WindowWidth"), QStringLiteral("470"));
    EXPECT_EQ(text("WindowHeight"), QStringLiteral("384"));
    // Centred on the offscreen platform's 800 x 800 screen.
    EXPECT_EQ(text("WindowLeft"), QStringLiteral("165"));
    EXPECT_EQ(text("WindowTop"), QStringLiteral("208"));
    // The document pane is round(470 * 0.54) = 254 pixels of the 470-pixel client width.
    EXPECT_EQ(text("Split1"), QStringLiteral("0.540425531914894"));
    EXPECT_NEAR(text("Split2").toDouble(), 0.66, 0.01);
    EXPECT_EQ(text("ViewToolbar"), QStringLiteral("True"));
    EXPECT_EQ(text("ViewStatusbar"), QStringLiteral("True"));
    EXPECT_EQ(text("ViewNarrixLogo"), QStringLiteral("True"));
    EXPECT_EQ(text("EnableRealtime"), QStringLiteral("True"));
    EXPECT_EQ(text("StartMinimized"), QStringLiteral("False"));
    EXPECT_EQ(text("TaskbarButton"), QStringLiteral("False"));
    EXPECT_EQ(text("FollowAlong"), QStringLiteral("True"));
    EXPECT_EQ(text("ShortcutReadClipboard"), QString()) << "no desktop-wide key by default";
    EXPECT_EQ(text("Voice"), QStringLiteral("Adult Male #1, American English (TruVoice)"));
    EXPECT_EQ(text("RealMode"), QStringLiteral("Word"));
    EXPECT_EQ(text("RealCustom"), QStringLiteral(", ; . ? \" : ! '"));
    EXPECT_EQ(text("TellTime"), QStringLiteral("Hourly"));
    EXPECT_EQ(text("DateStyle"), QStringLiteral("Today is #."));
    EXPECT_EQ(text("TimeStyle"), QStringLiteral("It's # now."));
    EXPECT_EQ(text("HourFormat"), QStringLiteral("12"));
    EXPECT_EQ(text("Theme"), QStringLiteral("2"));
    EXPECT_EQ(text("Greetings"), QStringLiteral("Welcome to Narrix!"));
    EXPECT_EQ(text("Device"), QStringLiteral("4294967295"));
    EXPECT_FALSE(text("FontName").isEmpty());
    EXPECT_FALSE(text("FontCharset").isEmpty());
    EXPECT_TRUE(text("Proxy").isEmpty() && text("Port").isEmpty() && text("NormalIcon").isEmpty());

    // The second start reads that file and writes it back byte for byte; SIGINT works as SIGTERM.
    const QByteArray first = contents(settingsFile(root));
    {
        NarrixProcess narrix(root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGINT)) << narrix.errors().toStdString();
    }
    EXPECT_EQ(contents(settingsFile(root)), first);
}

TEST(NarrixE2E, BrokenNumberEndsStartUpButKeepsTheOtherSettings)
{
    QTemporaryDir root;
    QDir().mkpath(root.filePath(QStringLiteral("config/Quillmark")));
    {
        QSettings stored(settingsFile(root), QSettings::IniFormat);
        stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        stored.setValue(QStringLiteral("Speed"), QStringLiteral("fast"));
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        stored.setValue(QStringLiteral("Device"), QStringLiteral("4294967295"));
        stored.setValue(QStringLiteral("ViewToolbar"), QStringLiteral("false"));
    }
    {
        NarrixProcess narrix(root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
        EXPECT_TRUE(narrix.errors().contains("narrix: error in FormCreate: setting Speed is not a number"))
            << narrix.errors().toStdString();
    }
    QSettings stored(settingsFile(root), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Speed")).toString(), QStringLiteral("150"));
    EXPECT_EQ(stored.value(QStringLiteral("Greetings")).toString(), QStringLiteral("<nil>"));
    EXPECT_EQ(stored.value(QStringLiteral("Device")).toString(), QStringLiteral("4294967295"));
    EXPECT_EQ(stored.value(QStringLiteral("ViewToolbar")).toString(), QStringLiteral("True"));
}

// Pipes in place of both files neither stop the start-up nor get replaced; a crash's leftovers (a
// list temporary, an empty lock) are cleared at the next run.
TEST(NarrixE2E, PipesAndACrashesLeftoversNeitherHangNorLoseAnything)
{
    QTemporaryDir root;
    const QString config = root.filePath(QStringLiteral("config/Quillmark"));
    const QString data = root.filePath(QStringLiteral("data"));
    QDir().mkpath(config);
    QDir().mkpath(data);
    for (const QString& pipe : {settingsFile(root), data + QStringLiteral("/schedule.nxl")})
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    {
        NarrixProcess narrix(root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
        EXPECT_TRUE(narrix.errors().contains("left alone")) << narrix.errors().toStdString();
    }
    for (const QString& pipe : {settingsFile(root), data + QStringLiteral("/schedule.nxl")}) {
        struct stat info = {};
        ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << pipe.toStdString();
        QFile::remove(pipe);
    }

    const QString leftover = data + QStringLiteral("/.schedule.nxl.q1W2e3");
    {
        QFile file(leftover);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-300), QFileDevice::FileModificationTime);
    }
    QFile(settingsFile(root) + QStringLiteral(".lock")).open(QIODevice::WriteOnly);
    {
        NarrixProcess narrix(root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
        EXPECT_FALSE(narrix.errors().contains("narrix: error")) << narrix.errors().toStdString();
    }
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_FALSE(contents(settingsFile(root)).isEmpty());
}

} // namespace
