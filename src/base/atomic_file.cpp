#include "base/atomic_file.h"

#include "base/write_all.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

std::string errnoText(int code)
{
    return std::strerror(code);
}

// Reads the written file back: a file system that accepted the writes but kept less (or other
// bytes) must not replace the old file.
bool readsBackAs(int fd, std::string_view bytes)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        return false;
    if (static_cast<unsigned long long>(info.st_size) != bytes.size()) {
        errno = EIO;
        return false;
    }
    std::array<char, 65536> buffer;
    off_t offset = 0;
    while (static_cast<size_t>(offset) < bytes.size()) {
        const size_t want = std::min(buffer.size(), bytes.size() - static_cast<size_t>(offset));
        const ssize_t got = ::pread(fd, buffer.data(), want, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || std::memcmp(buffer.data(), bytes.data() + offset, static_cast<size_t>(got)) != 0) {
            if (got >= 0)
                errno = EIO;
            return false;
        }
        offset += got;
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be opened or synced is no reason to fail.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::filesystem::path resolvedTarget(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return resolved;
    }
    return path;
}

bool isTemporaryNameOf(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// The process's file-creation mask. The kernel reports it in /proc/self/status; elsewhere it can only
// be read by setting it, which is done only then.
mode_t currentUmask()
{
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned int mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr)
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

mode_t modeFor(FileAccess access, const struct stat* existing)
{
    constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;
    if (access == FileAccess::OwnerOnly)
        return kOwnerOnly;
    if (existing != nullptr)
        return existing->st_mode & 0777;
    return static_cast<mode_t>(0666 & ~currentUmask());
}

} // namespace

int createReplacementFile(const std::filesystem::path& path, std::filesystem::path* target, std::string* temp)
{
    *target = resolvedTarget(path);
    std::filesystem::path folder = target->parent_path();
    if (folder.empty())
        folder = ".";
    *temp = (folder / ("." + target->filename().string() + ".XXXXXX")).string();
    return ::mkostemp(temp->data(), O_CLOEXEC);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error,
                         FileAccess access)
{
    struct stat existing = {};
    bool exists = false;
    if (const std::filesystem::path resolved = resolvedTarget(path);
        ::lstat(resolved.c_str(), &existing) == 0) {
        // Renaming over it would replace a device or a pipe by a regular file.
        if (!S_ISREG(existing.st_mode)) {
            *error = resolved.string() + " is not a regular file";
            return false;
        }
        exists = true;
    }
    std::filesystem::path target;
    std::string temp;
    const int fd = createReplacementFile(path, &target, &temp);
    if (fd < 0) {
        *error = errnoText(errno);
        return false;
    }
    const auto fail = [&](int code) {
        ::unlink(temp.c_str());
        *error = errnoText(code);
        return false;
    };
    if (::fchmod(fd, modeFor(access, exists ? &existing : nullptr)) != 0 || !writeAll(fd, bytes) ||
        ::fsync(fd) != 0 || !readsBackAs(fd, bytes)) {
        const int code = errno;
        ::close(fd);
        return fail(code);
    }
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    syncFolder(target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path());
    return true;
}

size_t removeStaleTemporaries(const std::filesystem::path& path)
{
    const std::filesystem::path target = resolvedTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string prefix = "." + target.filename().string() + ".";
    // A temporary file changed in the last minute may belong to a save still running elsewhere.
    const time_t settled = ::time(nullptr) - 60;
    size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        struct stat info = {};
        if (!isTemporaryNameOf(name, prefix) || ::lstat(it->path().c_str(), &info) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::getuid() || info.st_mtime > settled)
            continue;
        if (::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

bool readWholeFile(const std::filesystem::path& path, std::string* bytes, std::string* error, bool* missing,
                   size_t sizeLimit)
{
    if (missing)
        *missing = false;
    // Opened without blocking: opening a pipe for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (missing)
            *missing = errno == ENOENT;
        *error = errnoText(errno);
        return false;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = S_ISDIR(info.st_mode) ? errnoText(EISDIR) : std::string("not a regular file");
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bytes->clear();
    if (info.st_size > 0 && static_cast<unsigned long long>(info.st_size) <= sizeLimit)
        bytes->reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = errnoText(errno);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        if (bytes->size() + static_cast<size_t>(got) > sizeLimit) {
            *error = "file too large";
            ::close(fd);
            return false;
        }
        bytes->append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return true;
}

} // namespace narrix
