#include "key_map_block.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

std::string keyMapPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string pid = std::to_string(::getpid());
    if (runtime != nullptr && *runtime != '\0')
        return std::string(runtime) + "/nxKeyMap." + pid;
    // Without a runtime folder: POSIX shared memory's own folder, with the user in the name.
    return "/dev/shm/nxKeyMap." + std::to_string(::getuid()) + "." + pid;
}

bool KeyMapBlock::create(std::int32_t handle, std::string* error)
{
    close();
    const std::string path = keyMapPath();
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

std::optional<std::int32_t> readKeyMap()
{
    const int fd = ::open(keyMapPath().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
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
