#include "app/settings_store.h"

#include "base/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <string>

namespace narrix {
namespace {

QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillmark/Narrix.conf");
}

// The private folder for the working copy: per user, readable by its owner only.
QString workFolderTemplate()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::tempPath();
    return base + QStringLiteral("/narrix-settings-XXXXXX");
}

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
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

QSettingsStore::QSettingsStore() : QSettingsStore(userSettingsFile()) {}

QSettingsStore::QSettingsStore(const QString& iniFile) : path_(iniFile), workFolder_(workFolderTemplate())
{
    const std::string path = localPath(path_);
    removeStaleTemporaries(path);
    std::string bytes, error;
    bool missing = false;
    if (!readWholeFile(path, &bytes, &error, &missing) && !missing)
        readError_ = QStringLiteral("%1 could not be read (%2) and was left alone")
                         .arg(path_, QString::fromLocal8Bit(error.c_str()));
    const QString copy = workFolder_.filePath(QStringLiteral("Narrix.conf"));
    if (!bytes.empty() && !writeFileAtomically(localPath(copy), bytes, &error) && readError_.isEmpty())
        readError_ = QStringLiteral("%1 could not be copied (%2)").arg(path_, QString::fromLocal8Bit(error.c_str()));
    settings_ = std::make_unique<QSettings>(copy, QSettings::IniFormat);
}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::value(const QString& name) const
{
    const QVariant stored = settings_->value(name);
    // An INI value edited by hand with unquoted commas comes back as a list: join it again.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}

void QSettingsStore::setValue(const QString& name, const QString& text)
{
    settings_->setValue(name, text);
}

void QSettingsStore::remove(const QString& name)
{
    settings_->remove(name);
}

bool QSettingsStore::flush(QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        return false;
    };
    if (!readError_.isEmpty())
        return fail(readError_);
    // A format error only says that part of the file read at start was not understood; the copy
    // is written all the same.
    settings_->sync();
    std::string bytes, reason;
    bool nothingStored = false;
    if (settings_->status() == QSettings::AccessError ||
        !readWholeFile(localPath(settings_->fileName()), &bytes, &reason, &nothingStored)) {
        if (nothingStored)
            return true; // no value was ever set, and the file held none
        return fail(QStringLiteral("cannot write %1").arg(settings_->fileName()));
    }

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!takeLock(lock, lockTimeoutMs_)) {
        if (lock.error() == QLockFile::LockFailedError)
            return fail(QStringLiteral("%1 is locked by another program").arg(path_));
        return fail(QStringLiteral("cannot write %1: its lock file cannot be created").arg(path_));
    }
    if (!writeFileAtomically(localPath(path_), bytes, &reason))
        return fail(QStringLiteral("cannot write %1: %2").arg(path_, QString::fromLocal8Bit(reason.c_str())));
    return true;
}

} // namespace narrix
