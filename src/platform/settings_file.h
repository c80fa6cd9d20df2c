#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

class QSettings;

namespace narrix {

// The settings file (~/.config/Quillmark/Narrix.conf) in QSettings' INI format. QSettings only
// works on a private copy; this class reads and writes the file itself, so that
// - a pipe or device in its place is neither waited on nor replaced: it is reported and left alone,
//   and so is a file that could not be read;
// - a save goes through writeFileAtomically: a full disk leaves the previous file whole;
// - a lock file ("Narrix.conf.lock") whose owner is gone, or that names no owner at all, is removed
//   at once instead of being waited out;
// - what another writer saved meanwhile is merged, as QSettings merges: only the keys set or removed
//   here replace theirs.
class SettingsFile
{
public:
    explicit SettingsFile(const QString& path = userSettingsPath());
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    static QString userSettingsPath();

    // The values through QSettings' interface (groups, keys); changes stay here until save().
    QSettings& values() { return *settings_; }
    const QSettings& values() const { return *settings_; }

    // Writes the file. False with a reason when it could not be written completely.
    bool save(QString* error);

    const QString& fileName() const { return path_; }
    // How long a save waits for a lock held by a running program (5 s unless set).
    void setLockTimeout(int milliseconds) { lockTimeoutMs_ = milliseconds; }

private:
    bool refreshCopy(QString* error);

    QString path_;
    QTemporaryDir workFolder_;
    QString copyPath_;
    std::unique_ptr<QSettings> settings_;
    std::string lastKnown_; // the file's bytes as last read or written here
    QString readError_;     // why the file could not be read at start; it is then not written
    int lockTimeoutMs_ = 5000;
};

} // namespace narrix
