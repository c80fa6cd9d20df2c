#pragma once

#include "platform/settings_file.h"

#include <QString>

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

// The real store: the settings file (the registry key on Windows, ~/.config/Quillmark/Narrix.conf
// here, see SettingsFile). Every value is stored and read as text.
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

    const QString& fileName() const { return file_.fileName(); }
    void setLockTimeout(int milliseconds) { file_.setLockTimeout(milliseconds); }

private:
    SettingsFile file_;
};

} // namespace narrix
