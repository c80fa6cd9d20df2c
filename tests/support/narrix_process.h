#pragma once

// The real narrix binary (NARRIX_EXE) run by an end-to-end test: started, waited for until its window
// is shown, stopped with a signal.

#include <QProcess>

#include <csignal>

namespace narrix::testing {

class NarrixProcess
{
public:
    explicit NarrixProcess(const QProcessEnvironment& environment)
    {
        process_.setProcessEnvironment(environment);
        process_.setProgram(qEnvironmentVariable("NARRIX_EXE"));
        process_.setReadChannel(QProcess::StandardError);
    }

    ~NarrixProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    NarrixProcess(const NarrixProcess&) = delete;
    NarrixProcess& operator=(const NarrixProcess&) = delete;

    // The program's arguments and working folder for the next start.
    void setArguments(const QStringList& arguments, const QString& workingFolder = QString())
    {
        process_.setArguments(arguments);
        if (!workingFolder.isEmpty())
            process_.setWorkingDirectory(workingFolder);
    }

    // Waits (at most `milliseconds`) until stderr holds `text`.
    bool waitForError(const QByteArray& text, int milliseconds = 20000)
    {
        while (!stderr_.contains(text)) {
            if (!process_.waitForReadyRead(milliseconds))
                return false;
            stderr_ += process_.readAllStandardError();
        }
        return true;
    }

    // Starts the program without waiting for its window, so that the test's own event loop can answer
    // the program meanwhile (a stand-in D-Bus service).
    bool start()
    {
        process_.start();
        return process_.waitForStarted(10000);
    }

    // What the program wrote on stderr so far, without waiting.
    const QByteArray& readErrors()
    {
        stderr_ += process_.readAllStandardError();
        return stderr_;
    }

    // Starts the program and waits for its "shown" line on stderr (NARRIX_STARTUP_PROBE=1).
    bool startAndWaitUntilShown()
    {
        process_.start();
        if (!process_.waitForStarted(10000))
            return false;
        while (!stderr_.contains("narrix: shown after")) {
            if (!process_.waitForReadyRead(30000))
                return false;
            stderr_ += process_.readAllStandardError();
        }
        return true;
    }

    // Sends a signal and waits (at most `milliseconds`) for the program to end; true for a normal exit
    // with code 0.
    bool stopWith(int signalNumber, int milliseconds = 20000)
    {
        ::kill(static_cast<pid_t>(process_.processId()), signalNumber);
        process_.waitForFinished(milliseconds);
        stderr_ += process_.readAllStandardError();
        return !running() && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 pid() const { return process_.processId(); }
    const QByteArray& errors() const { return stderr_; }

private:
    QProcess process_;
    QByteArray stderr_;
};

} // namespace narrix::testing
