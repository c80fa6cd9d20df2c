// The real program with a channel: a file, a web address on the loopback HTTP server or a mailbox on
// dovecot as its argument is spoken as a scheduled speech and the program ends by itself; an item of
// schedule.nxl due this minute is spoken by the scheduler and its LastRun saved at SIGTERM.
#include "net/net_test_support.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

using narrix::net::testing::http;
using narrix::net::testing::kPop3Port;

class Narrix
{
public:
    explicit Narrix(const QTemporaryDir& root) : log_(root.filePath(QStringLiteral("history.jsonl")))
    {
        QDir().mkpath(root.filePath(QStringLiteral("data")));
        QDir().mkpath(root.filePath(QStringLiteral("config/Quillmark")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), log_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProgram(qEnvironmentVariable("NARRIX_EXE"));
    }
    ~Narrix()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool start(const QStringList& arguments = {})
    {
        process_.setArguments(arguments);
        process_.start();
        return process_.waitForStarted(10000);
    }
    // True when the program ended by itself with status 0 within `ms`.
    bool endsByItself(int ms)
    {
        return process_.waitForFinished(ms) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    bool stop()
    {
        ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
        return endsByItself(20000);
    }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

    QList<QJsonObject> events() const
    {
        QList<QJsonObject> out;
        QFile file(log_);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    out << QJsonDocument::fromJson(line).object();
        }
        return out;
    }
    // The speak events.
    QList<QJsonObject> spoken() const
    {
        QList<QJsonObject> out;
        for (const QJsonObject& e : events())
            if (e.value(QStringLiteral("event")).toString() == QStringLiteral("speak"))
                out << e;
        return out;
    }

private:
    QString log_;
    QProcess process_;
};

QString text(const QJsonObject& event, const char* key)
{
    return event.value(QString::fromLatin1(key)).toString();
}

// Speaks `argument` and ends with status 0; returns what was spoken.
QList<QJsonObject> speakArgument(const QString& argument)
{
    QTemporaryDir root;
    Narrix narrix(root);
    EXPECT_TRUE(narrix.start({argument}));
    EXPECT_TRUE(narrix.endsByItself(30000)) << narrix.errors().toStdString();
    const QList<QJsonObject> spoken = narrix.spoken();
    EXPECT_EQ(spoken.size(), 1);
    for (const QJsonObject& e : spoken)
        EXPECT_EQ(e.value(QStringLiteral("source")).toInt(), 5);
    return spoken;
}

TEST(ChannelsE2E, ALocalHtmlFileIsSpokenAndTheProgramEnds)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("report.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><h1>Weather</h1><p>Rain today</p></body></html>");
    file.close();
    const auto spoken = speakArgument(page);
    ASSERT_EQ(spoken.size(), 1);
    EXPECT_EQ(text(spoken[0], "title"), page);
    EXPECT_EQ(text(spoken[0], "text"), QStringLiteral("Weather. Rain today"));
}

TEST(ChannelsE2E, AWebAddressIsFetchedAndSpoken)
{
    const QString address = QString::fromStdString(http("/pages/news.html")).mid(7); // without "http://"
    const auto spoken = speakArgument(address);
    ASSERT_EQ(spoken.size(), 1);
    EXPECT_EQ(text(spoken[0], "title"), address);
    EXPECT_EQ(text(spoken[0], "text"),
              QStringLiteral("News Top stories Rain today. Sports and the Top stories again. Weather"));
}

TEST(ChannelsE2E, AMailboxIsReadAndSpoken)
{
    const auto spoken =
        speakArgument(QStringLiteral("EMAIL://three@example.com 127.0.0.1 %1 three secret N").arg(kPop3Port));
    ASSERT_EQ(spoken.size(), 1);
    EXPECT_TRUE(text(spoken[0], "text")
                    .startsWith(QStringLiteral("You have got 3 messages! Message 1: Subject: "
                                               "Plain note; From: bob@example.com;")))
        << text(spoken[0], "text").toStdString();
}

TEST(ChannelsE2E, AnItemDueThisMinuteIsSpokenAndItsLastRunSaved)
{
    QTemporaryDir root;
    const QString channelFile = root.filePath(QStringLiteral("channel.txt"));
    QFile file(channelFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("The scheduled text.");
    file.close();
    {
        QDir().mkpath(root.filePath(QStringLiteral("config/Quillmark")));
        QSettings stored(root.filePath(QStringLiteral("config/Quillmark/Narrix.conf")), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        // No hourly time announcement: a run at the full hour would speak it before the item.
        stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
    }
    // Not in the last seconds of a minute: the item must still be due when the first tick comes.
    while (QTime::currentTime().second() > 50)
        QThread::msleep(200);
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QString separator = QStringLiteral(":"); // the C and English locales' time separator
    QDir().mkpath(root.filePath(QStringLiteral("data")));
    QFile list(root.filePath(QStringLiteral("data/schedule.nxl")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(
        QStringLiteral("[Morning news]\r\nGeneral=%1 - Daily\r\nFileName=%2\r\nFrequence=0\r\nTime=%1\r\n"
                       "Day=0\r\nDate=1\r\nMonth=0\r\nLastRun=Never\r\nChecked=True\r\nLeadKey=\r\n"
                       "TrailKey=\r\nLeadInc=False\r\nTrailInc=False\r\n")
            .arg(now.toString(QStringLiteral("HH")) + separator + now.toString(QStringLiteral("mm")),
                 channelFile)
            .toUtf8());
    list.close();

    Narrix narrix(root);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(narrix.start());
    QList<QJsonObject> spoken;
    while (clock.elapsed() < 6000 && spoken.isEmpty()) {
        QThread::msleep(50);
        spoken = narrix.spoken();
    }
    ASSERT_EQ(spoken.size(), 1) << narrix.errors().toStdString();
    EXPECT_EQ(text(spoken[0], "title"), QStringLiteral("Morning news"));
    EXPECT_EQ(text(spoken[0], "text"), QStringLiteral("The scheduled text."));
    ASSERT_TRUE(narrix.stop()) << narrix.errors().toStdString();

    QFile saved(root.filePath(QStringLiteral("data/schedule.nxl")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString lastRun = QStringLiteral("LastRun=") + locale.toString(now.date(), QLocale::ShortFormat);
    EXPECT_TRUE(QString::fromUtf8(saved.readAll()).contains(lastRun)) << lastRun.toStdString();
}

} // namespace
