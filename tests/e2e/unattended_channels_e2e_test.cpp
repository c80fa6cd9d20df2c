// The real program left alone: a scheduled item that fails is reported as a desktop notification (to
// the stand-in server on a private session bus) and in the speech history, and the next item due the
// same minute still speaks; a first start fills the schedule list from the installed starter list.
#include "net/net_test_support.h"
#include "support/narrix_process.h"
#include "support/private_session_bus.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

using narrix::net::testing::http;
using narrix::testing::NarrixProcess;
using narrix::testing::PrivateSessionBus;

// A data folder, settings without greeting and tips, and the speech history of one run.
struct Profile
{
    QTemporaryDir root;

    Profile()
    {
        QDir().mkpath(path("data"));
        QDir().mkpath(path("config/Quillmark"));
        QSettings stored(path("config/Quillmark/Narrix.conf"), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        // No hourly time announcement: a run at the full hour would speak it before the item.
        stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
    }
    QString path(const char* name) const { return root.filePath(QString::fromLatin1(name)); }

    QProcessEnvironment environment(const QString& busAddress = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), path("data"));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), path("history.jsonl"));
        env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // No bus named is one libdbus would start (fork) where a display is set: "disabled:" is none.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   busAddress.isEmpty() ? QStringLiteral("disabled:") : busAddress);
        return env;
    }

    QList<QJsonObject> events(const char* kind) const
    {
        QList<QJsonObject> out;
        QFile file(path("history.jsonl"));
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QJsonObject event = QJsonDocument::fromJson(line).object();
                if (event.value(QStringLiteral("event")).toString() == QLatin1String(kind))
                    out << event;
            }
        return out;
    }

    QString savedList() const
    {
        QFile file(path("data/schedule.nxl"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

QString dailySection(const QString& title, const QString& address, const QString& time)
{
    return QStringLiteral("[%1]\r\nGeneral=%3 - Daily\r\nFileName=%2\r\nFrequence=0\r\nTime=%3\r\nDay=0\r\n"
                          "Date=1\r\nMonth=0\r\nLastRun=Never\r\nChecked=True\r\nLeadInc=False\r\n"
                          "TrailInc=False\r\n")
        .arg(title, address, time);
}

TEST(UnattendedChannelsE2E, AScheduledFailureIsNotifiedAndTheNextItemStillSpeaks)
{
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    ASSERT_TRUE(bus.startNotificationServer());
    Profile profile;
    const QString note = profile.path("note.txt");
    QFile file(note);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("The second item speaks.");
    file.close();
    // Not in the last seconds of a minute: both items must still be due at the first tick.
    while (QTime::currentTime().second() > 50)
        QThread::msleep(200);
    const QString now = QTime::currentTime().toString(QStringLiteral("HH:mm"));
    QFile list(profile.path("data/schedule.nxl"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write((dailySection(QStringLiteral("Missing page"),
                             QString::fromStdString(http("/pages/missing.html")), now) +
                dailySection(QStringLiteral("Morning note"), note, now))
                   .toUtf8());
    list.close();

    NarrixProcess narrix(profile.environment(bus.address()));
    ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && profile.events("speak").isEmpty())
        QThread::msleep(50);
    const QList<QJsonObject> spoken = profile.events("speak");
    ASSERT_EQ(spoken.size(), 1) << "a box would have held the walk";
    EXPECT_EQ(spoken[0].value(QStringLiteral("title")).toString(), QStringLiteral("Morning note"));
    EXPECT_EQ(spoken[0].value(QStringLiteral("text")).toString(), QStringLiteral("The second item speaks."));

    EXPECT_EQ(bus.notifications(), QStringList{QStringLiteral(
                                       "Narrix|Missing page|Narrix cannot receive data from this channel.\\n"
                                       "Details: the server answered 404 Not Found.")});
    const QList<QJsonObject> errors = profile.events("error");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].value(QStringLiteral("where")).toString(), QStringLiteral("RetrieveChannel"));
    EXPECT_EQ(errors[0].value(QStringLiteral("message")).toString(),
              QStringLiteral("\"Missing page\": the server answered 404 Not Found"));
    EXPECT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
}

TEST(UnattendedChannelsE2E, AFirstStartFillsTheListFromTheStarterChannels)
{
    Profile profile;
    {
        NarrixProcess narrix(profile.environment());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
    }
    const QString saved = profile.savedList();
    QFile shipped(QStringLiteral("%1/data/channels.nxl").arg(qEnvironmentVariable("NARRIX_SOURCE_DIR")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    int sections = 0;
    for (const QByteArray& line : shipped.readAll().split('\n')) {
        if (!line.startsWith('['))
            continue;
        ++sections;
        EXPECT_TRUE(saved.contains(QString::fromUtf8(line.trimmed()) + QStringLiteral("\r\n")))
            << line.toStdString();
    }
    EXPECT_EQ(saved.count(QStringLiteral("\r\n[")) + (saved.startsWith(u'[') ? 1 : 0), sections);
    // Ticks as shipped: the example mailbox is the one item left unticked.
    EXPECT_EQ(saved.count(QStringLiteral("Checked=False")), 1);
    EXPECT_TRUE(saved.contains(QStringLiteral("[My Mailbox (example)]")));

    // A list the user emptied stays empty: only a missing schedule.nxl is a first start.
    QFile emptied(profile.path("data/schedule.nxl"));
    ASSERT_TRUE(emptied.open(QIODevice::WriteOnly | QIODevice::Truncate));
    emptied.close();
    NarrixProcess again(profile.environment());
    ASSERT_TRUE(again.startAndWaitUntilShown()) << again.errors().toStdString();
    ASSERT_TRUE(again.stopWith(SIGTERM)) << again.errors().toStdString();
    EXPECT_FALSE(profile.savedList().contains(u'['));
}

} // namespace
