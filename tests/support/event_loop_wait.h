#pragma once
// Waiting in a test for what arrives through the event loop (engine events, queued signals).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace narrix::testing {

// Runs the event loop until `done` or the timeout; true when done. The timeout only ends a test
// that would otherwise wait for ever: nothing is asserted about how long it took.
template <typename Pred> bool waitFor(Pred done, int timeoutMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Lets queued events arrive for a while, to see that nothing more comes.
inline void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace narrix::testing
