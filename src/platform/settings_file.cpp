#include "platform/settings_file.h"

#include "base/atomic_file.h"
#include "platform/data_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace narrix {
namespace {

// Whether `folder` can hold the working copy: room for far more than a settings file is reserved
// and given back. A read-only or nearly full runtime folder would lose the settings.
bool canHoldWorkingCopy(const QString& folder)
{
    constexpr off_t kRoom = 64 * 1024;
    const QByteArray probe =
        QFile::encodeName(folder + QStringLiteral("/.narrix-settings-probe-%1").arg(::getpid()));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool room = ::posix_fallocate(fd, 0, kRoom) == 0;
    ::close(fd);
    ::unlink(probe.constData());
    return room;
}

// The private folder for the working copy: per user, readable by its owner only; the temporary
// folder when the runtime folder cannot hold it.
QString workFolderTemplate()
{
    QString base = givenRuntimeFolder();
    if (base.isEmpty() || !QFileInfo(base).isDir() || !canHoldWorkingCopy(base))
        base = QDir::tempPath();
    return base + QStringLiteral("/narrix-settings-XXXXXX");
}

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromLocal(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

// Takes the lock of the settings file. A lock without a readable owner (empty or garbage, left by
// a program that died while taking it) is stale at once; QLockFile itself treats a lock whose owner
// process is gone as stale.
bool takeLock(QLockFile& lock, int timeoutMs)
{
    if (lock.tryLock(0))
        return true;
    qint64 pid = 0;
    QString host, application;
    if (lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(&pid, &host, &application) &&
        lock.removeStaleLockFile() && lock.tryLock(0))
        return true;
    return lock.tryLock(timeoutMs);
}

} // namespace

QString SettingsFile::userSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillmark/Narrix.conf");
}

SettingsFile::SettingsFile(const QString& path)
    : path_(path), workFolder_(workFolderTemplate()),
      copyPath_(workFolder_.filePath(QStringLiteral("Narrix.conf")))
{
    removeStaleTemporaries(localPath(path_));
    QString error;
    if (!refreshCopy(&error))
        readError_ = error;
    settings_ = std::make_unique<QSettings>(copyPath_, QSettings::IniFormat);
}

SettingsFile::~SettingsFile() = default;

// Brings the working copy up to the file's bytes when they changed since they were last seen here.
bool SettingsFile::refreshCopy(QString* error)
{
    std::string bytes, reason;
    bool missing = false;
    if (!readWholeFile(localPath(path_), &bytes, &reason, &missing) && !missing) {
        *error = QStringLiteral("%1 could not be read (%2) and was left alone").arg(path_, fromLocal(reason));
        return false;
    }
    if (bytes == lastKnown_ && (settings_ != nullptr || bytes.empty()))
        return true;
    if (!writeFileAtomically(localPath(copyPath_), bytes, &reason)) {
        *error = QStringLiteral("%1 could not be copied (%2)").arg(path_, fromLocal(reason));
        return false;
    }
    lastKnown_ = std::move(bytes);
    return true;
}

bool SettingsFile::save(QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        return false;
    };
    if (!readError_.isEmpty())
        return fail(readError_);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!takeLock(lock, lockTimeoutMs_)) {
        if (lock.error() == QLockFile::LockFailedError)
            return fail(QStringLiteral("%1 is locked by another program").arg(path_));
        return fail(QStringLiteral("cannot write %1: its lock file cannot be created").arg(path_));
    }
    QString reason;
    if (!refreshCopy(&reason))
        return fail(reason);
    // A format error only says that part of the file read at start was not understood; the copy is
    // written all the same.
    settings_->sync();
    std::string bytes, why;
    bool nothingStored = false;
    if (settings_->status() == QSettings::AccessError ||
        !readWholeFile(localPath(copyPath_), &bytes, &why, &nothingStored)) {
        if (nothingStored)
            return true; // no value was ever set, and the file held none
        return fail(QStringLiteral("cannot write %1").arg(copyPath_));
    }
    if (bytes == lastKnown_ && QFileInfo::exists(path_))
        return true;
    if (!writeFileAtomically(localPath(path_), bytes, &why))
        return fail(QStringLiteral("cannot write %1: %2").arg(path_, fromLocal(why)));
    lastKnown_ = std::move(bytes);
    return true;
}

} // namespace narrix
