#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class QSettings;

namespace narrix {

// Where settings live between runs: named text values. A missing value reads as the empty string.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& name) const = 0;
    virtual void setValue(const QString& name, const QString& text) = 0;
    virtual void remove(const QString& name) = 0;
    // Makes what was written durable. False (with a reason) when it could not be written.
    virtual bool flush(QString* error) = 0;
};

// The real store: ~/.config/Quillmark/Narrix.conf (the registry key on Windows) in QSettings' INI
// format, every value stored and read as text. QSettings itself only works on a private copy; the
// file is read and written by this class, so that
// - a pipe or device in its place is neither waited on nor replaced (it is reported and left alone,
//   and so is a file that could not be read);
// - a save goes through writeFileAtomically: a full disk leaves the previous file whole;
// - a lock file ("Narrix.conf.lock") whose owner is gone, or that holds no owner at all, is
//   removed at once instead of being waited out.
class QSettingsStore final : public SettingsStore
{
public:
    QSettingsStore();
    // A store on an explicit file (tools and tests).
    explicit QSettingsStore(const QString& iniFile);
    ~QSettingsStore() override;

    QString value(const QString& name) const override;
    void setValue(const QString& name, const QString& text) override;
    void remove(const QString& name) override;
    bool flush(QString* error) override;

    const QString& fileName() const { return path_; }
    // How long a save waits for a lock held by a running program (5 s unless set).
    void setLockTimeout(int milliseconds) { lockTimeoutMs_ = milliseconds; }

private:
    QString path_;
    QTemporaryDir workFolder_;
    std::unique_ptr<QSettings> settings_;
    QString readError_; // why the file could not be read at start; it is then not written
    int lockTimeoutMs_ = 5000;
};

} // namespace narrix
