// librealtime's entry points. HookOn reads the program's message port from the shared block nxKeyMap,
// which the program mapped before it called HookOn, and starts reporting every key press and release
// to it; HookOff stops the reports.
#include "hook_log.h"
#include "key_map_block.h"
#include "key_recorder.h"

#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>

namespace {

std::mutex gate;
std::unique_ptr<narrix::hook::KeyRecorder> recorder;

// Only the write end of a pipe is taken as a message port: a stale or foreign number in the block
// must not make the library write into some other file of the process.
bool isPipeWriteEnd(int fd)
{
    struct stat info = {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISFIFO(info.st_mode))
        return false;
    const int mode = ::fcntl(fd, F_GETFL);
    return mode >= 0 && (mode & O_ACCMODE) == O_WRONLY;
}

} // namespace

extern "C" __attribute__((visibility("default"))) void HookOn()
{
    std::lock_guard lock(gate);
    if (recorder)
        return;
    const std::optional<std::int32_t> port = narrix::hook::readKeyMap();
    if (!port || !isPipeWriteEnd(*port)) {
        narrix::hook::hookLog("this process has mapped no nxKeyMap block with a message port: no keys "
                              "are reported");
        return;
    }
    recorder = std::make_unique<narrix::hook::KeyRecorder>(*port);
    recorder->start();
}

extern "C" __attribute__((visibility("default"))) void HookOff()
{
    std::lock_guard lock(gate);
    recorder.reset();
}
