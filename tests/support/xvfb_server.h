#pragma once

// An X server of the test's own (Xvfb on the first free display, which it picks itself), stopped when
// the object goes, and helpers to run X clients (xdotool, xclip) on it.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace narrix::testing {

class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer() { stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts Xvfb and waits until it has written its display number. False (with the reason in
    // `error`) when it could not be started.
    bool start(QString* error)
    {
        server_.setProgram(QStringLiteral("Xvfb"));
        server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp"), QStringLiteral("-noreset")});
        server_.setProcessChannelMode(QProcess::SeparateChannels);
        server_.start();
        if (!server_.waitForStarted(10000)) {
            *error = QStringLiteral("Xvfb did not start: ") + server_.errorString();
            return false;
        }
        QByteArray out;
        while (!out.contains('\n')) {
            if (!server_.waitForReadyRead(20000)) {
                *error = QStringLiteral("Xvfb gave no display number: ") +
                         QString::fromLocal8Bit(server_.readAllStandardError());
                return false;
            }
            out += server_.readAllStandardOutput();
        }
        display_ = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
        return true;
    }

    void stop()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }

    const QString& display() const { return display_; }

    // `env` (the system's environment unless given) for a client of this server.
    QProcessEnvironment environment(QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) const
    {
        env.insert(QStringLiteral("DISPLAY"), display_);
        // No session bus unless a test gives its own: without one, libdbus starts one per display for
        // Qt's accessibility bridge, and a program can wait on that start for ever.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        return env;
    }

    // Runs an X client to its end; true when it exits with 0.
    bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) const
    {
        QProcess client;
        client.setProcessEnvironment(environment());
        client.start(program, arguments);
        if (!client.waitForFinished(20000))
            return false;
        if (output != nullptr)
            *output = client.readAllStandardOutput();
        return client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0;
    }

    // Gives `window` the keyboard focus and waits until it has it.
    bool focus(const QString& window) const
    {
        return run(QStringLiteral("xdotool"),
                   {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    }

private:
    QProcess server_;
    QString display_;
};

} // namespace narrix::testing
