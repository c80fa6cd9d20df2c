#pragma once

// A private D-Bus session bus (dbus-daemon --session) and, on request, the stand-in notification
// server of tests/platform on it, for tests of desktop notifications. Both end with the object.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace narrix::testing {

class PrivateSessionBus
{
public:
    PrivateSessionBus()
    {
        daemon_.setProgram(QStringLiteral("dbus-daemon"));
        daemon_.setArguments(
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        daemon_.start();
        if (!daemon_.waitForStarted(5000))
            return;
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateSessionBus()
    {
        for (QProcess* process : {&standIn_, &daemon_}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(3000)) {
                    process->kill();
                    process->waitForFinished(3000);
                }
            }
        }
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when the bus did not start.
    const QString& address() const { return address_; }

    // Starts the stand-in notification server (NOTIFICATION_STAND_IN names it) and waits until it owns
    // its name.
    bool startNotificationServer()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        standIn_.setProcessEnvironment(env);
        standIn_.setProgram(qEnvironmentVariable("NOTIFICATION_STAND_IN"));
        standIn_.start();
        if (!standIn_.waitForStarted(5000))
            return false;
        while (!standIn_.canReadLine())
            if (!standIn_.waitForReadyRead(5000))
                return false;
        return standIn_.readLine().trimmed() == "ready";
    }

    // The notifications received so far, one "app|summary|body" line each; waits up to `ms` for the
    // first.
    QStringList notifications(int ms = 5000)
    {
        if (!standIn_.canReadLine())
            standIn_.waitForReadyRead(ms);
        while (standIn_.canReadLine())
            received_ << QString::fromUtf8(standIn_.readLine().trimmed());
        return received_;
    }

private:
    QProcess daemon_;
    QProcess standIn_;
    QString address_;
    QStringList received_;
};

} // namespace narrix::testing
