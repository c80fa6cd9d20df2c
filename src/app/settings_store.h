#pragma once

#include <QString>
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

// The real store: QSettings("Quillmark", "Narrix") in the native format (the registry key on Windows,
// ~/.config/Quillmark/Narrix.conf here). Every value is stored and read as text. QSettings writes the
// file through a temporary file and a rename, so a failed save leaves the previous file whole.
class QSettingsStore final : public SettingsStore
{
public:
    QSettingsStore();
    // A store on an explicit file in INI format (tools and tests).
    explicit QSettingsStore(const QString& iniFile);
    ~QSettingsStore() override;

    QString value(const QString& name) const override;
    void setValue(const QString& name, const QString& text) override;
    void remove(const QString& name) override;
    bool flush(QString* error) override;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace narrix
