#include "key_map_block.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix::hook {

namespace {

int reserveWithFallocate(int fd, std::size_t size)
{
    return ::posix_fallocate(fd, 0, static_cast<off_t>(size));
}

ReserveStorage reserveFunction = reserveWithFallocate;

int reserveStorage(int fd, std::size_t size)
{
    return reserveFunction(fd, size);
}

} // namespace

void setReserveStorageForTests(ReserveStorage reserve)
{
    reserveFunction = reserve != nullptr ? reserve : reserveWithFallocate;
}

std::string keyMapPath(const std::string& runtimeFolder)
{
    const std::string pid = std::to_string(::getpid());
    if (!runtimeFolder.empty())
        return runtimeFolder + "/nxKeyMap." + pid;
    // Without a runtime folder: POSIX shared memory's own folder, with the user in the name.
    return "/dev/shm/nxKeyMap." + std::to_string(::getuid()) + "." + pid;
}

bool KeyMapBlock::create(const std::string& runtimeFolder, std::int32_t handle, std::string* error)
{
    close();
    const std::string path = keyMapPath(runtimeFolder);
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error != nullptr)
            *error = path + ": " + std::strerror(errno);
        return false;
    }
    // The block's storage is reserved before it is mapped: a sparse file on a full tmpfs would map
    // fine and then kill the program with SIGBUS at the first write.
    void* view = MAP_FAILED;
    const int reserved = reserveStorage(fd, kKeyMapSize);
    if (reserved == 0)
        view = ::mmap(nullptr, kKeyMapSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    const int savedErrno = reserved != 0 ? reserved : errno;
    ::close(fd);
    if (view == MAP_FAILED) {
        ::unlink(path.c_str());
        if (error != nullptr)
            *error = path + ": " + std::strerror(savedErrno);
        return false;
    }
    const auto value = static_cast<std::uint32_t>(handle);
    const unsigned char bytes[kKeyMapSize] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::memcpy(view, bytes, kKeyMapSize);
    view_ = view;
    path_ = path;
    return true;
}

void KeyMapBlock::close()
{
    if (view_ == nullptr)
        return;
    ::munmap(view_, kKeyMapSize);
    ::unlink(path_.c_str());
    view_ = nullptr;
    path_.clear();
}

std::optional<std::string> findMappedKeyMap(const std::string& maps)
{
    // Each line is "START-END PERMS OFFSET DEVICE INODE PATH"; only the path holds a slash. A block
    // removed while mapped ends in " (deleted)" and is not taken.
    const std::string inFolder = "/nxKeyMap." + std::to_string(::getpid());
    const std::string withoutFolder = keyMapPath({});
    const std::string_view text(maps);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(begin, end - begin);
        const std::size_t slash = line.find('/');
        if (slash != std::string_view::npos) {
            const std::string_view path = line.substr(slash);
            if (path == withoutFolder || (path.size() > inFolder.size() && path.ends_with(inFolder)))
                return std::string(path);
        }
        begin = end + 1;
    }
    return std::nullopt;
}

namespace {

std::string readProcessMaps()
{
    std::string text;
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

} // namespace

std::optional<std::int32_t> readKeyMap()
{
    const std::optional<std::string> path = findMappedKeyMap(readProcessMaps());
    if (!path)
        return std::nullopt;
    const int fd = ::open(path->c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info = {};
    void* view = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && info.st_size >= static_cast<off_t>(kKeyMapSize) &&
        info.st_uid == ::getuid())
        view = ::mmap(nullptr, kKeyMapSize, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED)
        return std::nullopt;
    unsigned char bytes[kKeyMapSize];
    std::memcpy(bytes, view, kKeyMapSize);
    ::munmap(view, kKeyMapSize);
    return static_cast<std::int32_t>(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                     std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

} // namespace narrix::hook
