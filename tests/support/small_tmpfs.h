#pragma once
// Runs test code against a nearly full disk: a child process gets its own mount namespace with a
// small tmpfs mounted on a fresh folder, so the machine's file systems are never filled.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace narrix::testing {

// The child's exit code when no private tmpfs could be made (no privilege for namespaces).
inline constexpr int kNoSmallTmpfs = 77;

// Runs `body` in a child process on a tmpfs of `bytes` and returns the child's exit code (0 for
// success by convention). `body` must not use test assertions; it reports on stderr.
inline int runOnSmallTmpfs(size_t bytes, const std::function<int(const std::filesystem::path&)>& body)
{
    char folder[] = "/tmp/narrix-tmpfs.XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return kNoSmallTmpfs;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("narrix-test", folder, "tmpfs", 0, options.c_str()) != 0)
            ::_exit(kNoSmallTmpfs);
        const int code = body(folder);
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    const bool waited = child > 0 && ::waitpid(child, &status, 0) == child;
    ::rmdir(folder);
    if (!waited)
        return kNoSmallTmpfs;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Fills the file system of `folder` until a write fails, then frees `leaveFree` bytes again.
inline void fillUp(const std::filesystem::path& folder, off_t leaveFree = 0)
{
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    static const char block[4096] = {};
    off_t size = 0;
    for (ssize_t n; fd >= 0 && (n = ::write(fd, block, sizeof block)) > 0;)
        size += n;
    if (fd >= 0 && leaveFree > 0) [[maybe_unused]]
        const int ignored = ::ftruncate(fd, size > leaveFree ? size - leaveFree : 0);
    ::close(fd);
}

} // namespace narrix::testing
