#include "platform/unix_signal_watcher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace narrix {
namespace {

TEST(UnixSignalWatcher, SignalsArriveInTheEventLoopInOrder)
{
    std::vector<int> received;
    {
        UnixSignalWatcher watcher({SIGUSR1, SIGUSR2});
        ASSERT_TRUE(watcher.isActive());
        QObject::connect(&watcher, &UnixSignalWatcher::received, &watcher,
                         [&](int signalNumber) { received.push_back(signalNumber); });
        std::raise(SIGUSR1);
        std::raise(SIGUSR2);
        EXPECT_TRUE(received.empty()); // nothing runs inside the C handler
        QElapsedTimer clock;
        clock.start();
        while (received.size() < 2 && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(received, (std::vector<int>{SIGUSR1, SIGUSR2}));
    // The default action is back once the watcher is gone.
    struct sigaction current = {};
    sigaction(SIGUSR1, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

} // namespace
} // namespace narrix

namespace narrix {
namespace {

// During start-up a signal ends the process even when it never reaches the event loop.
TEST(UnixSignalWatcher, EndsTheProcessAtOnceWhileAskedTo)
{
    const pid_t child = ::fork();
    if (child == 0) {
        UnixSignalWatcher watcher({SIGTERM});
        UnixSignalWatcher::setEndsProcessAtOnce(true);
        std::raise(SIGTERM);
        ::_exit(3); // reached only when the signal was merely recorded
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

} // namespace
} // namespace narrix
