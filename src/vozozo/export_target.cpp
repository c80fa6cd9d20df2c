#include "vozozo/export_target.h"

#include "base/atomic_file.h"
#include "vozozo/interrupt_cleanup.h"

#include <QFile>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {

int openExportTarget(const QString& path, ExportTarget* target)
{
    *target = {};
    if (path == QLatin1String("-")) {
        target->fd = STDOUT_FILENO;
        return 0;
    }
    const std::string local = QFile::encodeName(path).toStdString();
    struct stat info = {};
    const bool exists = ::stat(local.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or a named pipe is written into as it is; it is not ours to replace.
        target->fd = ::open(local.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (target->fd < 0)
            return errno;
        target->ownsFd = true;
        return 0;
    }
    std::filesystem::path replaced;
    std::string temp;
    setInterruptCleanupFile(nullptr);
    target->fd = createReplacementFile(local, &replaced, &temp);
    if (target->fd < 0)
        return errno;
    setInterruptCleanupFile(temp.c_str());
    target->ownsFd = true;
    target->tempPath = temp;
    target->targetPath = replaced.string();
    // The new file gets the old one's permissions, or those a newly created file would get.
    mode_t mode = 0;
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(target->fd, mode);
    return 0;
}

int commitExportTarget(ExportTarget& target)
{
    if (!target.replacesPath())
        return 0;
    if (::fsync(target.fd) != 0)
        return errno;
    const int closed = ::close(target.fd);
    target.fd = -1;
    if (closed != 0)
        return errno;
    if (::rename(target.tempPath.c_str(), target.targetPath.c_str()) != 0)
        return errno;
    setInterruptCleanupFile(nullptr);
    target.tempPath.clear();
    return 0;
}

void abandonExportTarget(ExportTarget& target)
{
    if (!target.tempPath.empty()) {
        setInterruptCleanupFile(nullptr);
        ::unlink(target.tempPath.c_str());
        target.tempPath.clear();
    }
    closeExportTarget(target);
}

void closeExportTarget(ExportTarget& target)
{
    if (target.ownsFd && target.fd >= 0)
        ::close(target.fd);
    target.fd = -1;
}

} // namespace narrix
