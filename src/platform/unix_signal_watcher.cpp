#include "platform/unix_signal_watcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace narrix {
namespace {

int pipeFds[2] = {-1, -1};
std::vector<int> installedSignals;
volatile std::sig_atomic_t endAtOnce = 0;

extern "C" void onSignal(int signalNumber)
{
    if (endAtOnce != 0) {
        // Both calls are async-signal-safe; the parent sees the process ended by the signal.
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
        return;
    }
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe drops the byte: many pending signals of one kind act as one.
    [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent)
{
    if (pipeFds[0] >= 0)
        return; // one watcher per process
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &UnixSignalWatcher::readPipe);
    active_ = true;
    for (const int signalNumber : signalNumbers) {
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (::sigaction(signalNumber, &action, nullptr) == 0)
            installedSignals.push_back(signalNumber);
        else
            active_ = false;
    }
}

void UnixSignalWatcher::setEndsProcessAtOnce(bool atOnce)
{
    endAtOnce = atOnce ? 1 : 0;
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    for (const int signalNumber : installedSignals)
        ::signal(signalNumber, SIG_DFL);
    installedSignals.clear();
    if (pipeFds[0] >= 0 && notifier_ != nullptr) {
        delete notifier_;
        notifier_ = nullptr;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        pipeFds[0] = pipeFds[1] = -1;
    }
}

void UnixSignalWatcher::readPipe()
{
    unsigned char buffer[16];
    for (;;) {
        const ssize_t count = ::read(pipeFds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        for (ssize_t i = 0; i < count; ++i)
            Q_EMIT received(buffer[i]);
    }
}

} // namespace narrix
