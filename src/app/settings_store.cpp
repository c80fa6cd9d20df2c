#include "app/settings_store.h"

#include <QSettings>
#include <QStringList>

namespace narrix {

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Quillmark"), QStringLiteral("Narrix")))
{
}

QSettingsStore::QSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
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
    settings_->sync();
    switch (settings_->status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        if (error != nullptr)
            *error = QStringLiteral("cannot write %1").arg(settings_->fileName());
        return false;
    case QSettings::FormatError:
        if (error != nullptr)
            *error = QStringLiteral("%1 is not a valid settings file").arg(settings_->fileName());
        return false;
    }
    return false;
}

} // namespace narrix
