#include "settings/settings_store.h"

#include <QSettings>
#include <QStringList>

namespace narrix {

QSettingsStore::QSettingsStore() = default;

QSettingsStore::QSettingsStore(const QString& iniFile) : file_(iniFile) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::value(const QString& name) const
{
    const QVariant stored = file_.values().value(name);
    // An INI value edited by hand with unquoted commas comes back as a list: join it again.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}

void QSettingsStore::setValue(const QString& name, const QString& text)
{
    file_.values().setValue(name, text);
}

void QSettingsStore::remove(const QString& name)
{
    file_.values().remove(name);
}

bool QSettingsStore::flush(QString* error)
{
    return file_.save(error);
}

} // namespace narrix
