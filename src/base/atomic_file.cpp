#include "base/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

std::string errnoText(int code)
{
    return std::strerror(code);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
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

} // namespace

int createReplacementFile(const std::filesystem::path& path, std::filesystem::path* target, std::string* temp)
{
    std::error_code ec;
    *target = path;
    if (std::filesystem::is_symlink(*target, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(*target, ec);
        if (!ec)
            *target = resolved;
    }
    std::filesystem::path folder = target->parent_path();
    if (folder.empty())
        folder = ".";
    *temp = (folder / ("." + target->filename().string() + ".XXXXXX")).string();
    return ::mkostemp(temp->data(), O_CLOEXEC);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error)
{
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
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
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

bool readWholeFile(const std::filesystem::path& path, std::string* bytes, std::string* error, bool* missing,
                   size_t sizeLimit)
{
    if (missing)
        *missing = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    bytes->clear();
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
