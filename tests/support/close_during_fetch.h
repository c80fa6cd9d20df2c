#pragma once

// The real narrix closed by SIGTERM in the middle of a scheduled fetch. Eleven ticked items are due
// this minute: the first a page served here, which sends its head and a few bytes and then nothing
// more, the others pages of the loopback HTTP server (tests/net/servers.sh). Used by the end-to-end
// test and by the benchmark of the close.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <memory>

namespace narrix::testing {

class CloseDuringFetch
{
public:
    static constexpr int kMoreItems = 10;

    // `program` is the narrix binary; the ten other items fetch `http://127.0.0.1:httpPort/hello`.
    CloseDuringFetch(const QString& program, int httpPort) : program_(program), httpPort_(httpPort) {}
    ~CloseDuringFetch()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Writes the list and the settings, starts narrix and waits until its first fetch has asked for
    // the page and received the head. False when something on the way failed (see errors()).
    bool startAndWaitForFirstFetch()
    {
        if (!root_.isValid() || !slowPage_.listen(QHostAddress::LocalHost))
            return fail(QStringLiteral("no temporary folder or no port for the slow page"));
        for (const char* folder : {"data", "config/Quillmark", "runtime"})
            QDir().mkpath(root_.filePath(QString::fromLatin1(folder)));
        QFile::setPermissions(root_.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        {
            QSettings stored(root_.filePath(QStringLiteral("config/Quillmark/Narrix.conf")),
                             QSettings::IniFormat);
            stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
            // No hourly time announcement: a run at the full hour would speak it before the item.
            stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
            stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        }
        // Not in the last seconds of a minute: the items must still be due when the first tick comes.
        while (QTime::currentTime().second() > 50)
            QThread::msleep(200);
        today_ = QDate::currentDate();
        if (!writeList(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm"))))
            return fail(QStringLiteral("schedule.nxl not written"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root_.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.start(program_, {});
        if (!process_.waitForStarted(10000))
            return fail(QStringLiteral("narrix did not start"));

        if (!slowPage_.waitForNewConnection(30000))
            return fail(QStringLiteral("the first item was never fetched"));
        request_.reset(slowPage_.nextPendingConnection());
        QByteArray head;
        while (!head.contains("\r\n\r\n") && request_->waitForReadyRead(10000))
            head += request_->readAll();
        if (!head.startsWith("GET /slow "))
            return fail(QStringLiteral("unexpected request: ") + QString::fromLatin1(head.left(80)));
        request_->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nThe first few bytes");
        request_->waitForBytesWritten(5000);
        return true;
    }

    void terminate() { ::kill(static_cast<pid_t>(process_.processId()), SIGTERM); }

    // True when the program ended with status 0 within `ms`.
    bool exitsNormally(int ms)
    {
        return process_.waitForFinished(ms) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

    QString savedList() const
    {
        QFile file(root_.filePath(QStringLiteral("data/schedule.nxl")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The LastRun line that the walk writes into the items it starts today.
    QString lastRunToday() const
    {
        return QStringLiteral("LastRun=") + QLocale::system().toString(today_, QLocale::ShortFormat);
    }
    QString errors() { return error_ + QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    bool fail(const QString& why)
    {
        error_ += why + QLatin1Char('\n');
        return false;
    }

    bool writeList(const QString& time)
    {
        QString list;
        const auto add = [&](const QString& title, const QString& address) {
            list += QStringLiteral("[%1]\r\nGeneral=%2 - Daily\r\nFileName=%3\r\nFrequence=0\r\nTime=%2\r\n"
                                   "Day=0\r\nDate=1\r\nMonth=0\r\nLastRun=Never\r\nChecked=True\r\n"
                                   "LeadKey=\r\nTrailKey=\r\nLeadInc=False\r\nTrailInc=False\r\n")
                        .arg(title, time, address);
        };
        add(QStringLiteral("Slow page"),
            QStringLiteral("http://127.0.0.1:%1/slow").arg(slowPage_.serverPort()));
        for (int i = 1; i <= kMoreItems; ++i)
            add(QStringLiteral("Page %1").arg(i), QStringLiteral("http://127.0.0.1:%1/hello").arg(httpPort_));
        QFile file(root_.filePath(QStringLiteral("data/schedule.nxl")));
        return file.open(QIODevice::WriteOnly) && file.write(list.toUtf8()) == list.toUtf8().size();
    }

    QString program_;
    int httpPort_;
    QTemporaryDir root_;
    QTcpServer slowPage_;
    std::unique_ptr<QTcpSocket> request_;
    QProcess process_;
    QDate today_;
    QString error_;
};

} // namespace narrix::testing
