#include "vozozo/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace narrix {
namespace {

// Read by the signal handler: only lock-free atomics and a buffer that is not changed while it is
// marked valid.
std::array<char, PATH_MAX + 1> cleanupFile{};
std::atomic<bool> cleanupFileValid{false};
constexpr std::size_t kMaxProcesses = 256;
std::array<std::atomic<pid_t>, kMaxProcesses> cleanupProcesses{};

static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int signal)
{
    if (cleanupFileValid.load())
        ::unlink(cleanupFile.data());
    for (auto& pid : cleanupProcesses) {
        const pid_t value = pid.load();
        if (value > 0)
            ::kill(value, SIGKILL);
    }
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

} // namespace

void installInterruptCleanup()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&action.sa_mask, signal);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

void setInterruptCleanupFile(const char* path)
{
    cleanupFileValid.store(false);
    if (!path || !*path || std::strlen(path) > PATH_MAX)
        return;
    std::memcpy(cleanupFile.data(), path, std::strlen(path) + 1);
    cleanupFileValid.store(true);
}

void addInterruptCleanupProcess(pid_t pid)
{
    for (auto& slot : cleanupProcesses) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, pid))
            return;
    }
}

void removeInterruptCleanupProcess(pid_t pid)
{
    for (auto& slot : cleanupProcesses) {
        pid_t expected = pid;
        if (slot.compare_exchange_strong(expected, 0))
            return;
    }
}

} // namespace narrix
