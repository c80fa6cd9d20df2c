#pragma once

#include "settings/settings_store.h"

#include <QMap>
#include <QStringList>

namespace narrix::testing {

// Settings in memory; records the order of writes.
class MemorySettingsStore : public SettingsStore
{
public:
    QMap<QString, QString> values;
    QStringList writes; // names in the order they were written
    int flushes = 0;
    bool failFlush = false;

    QString value(const QString& name) const override { return values.value(name); }
    void setValue(const QString& name, const QString& text) override
    {
        values.insert(name, text);
        writes << name;
    }
    void remove(const QString& name) override { values.remove(name); }
    bool flush(QString* error) override
    {
        ++flushes;
        if (failFlush && error != nullptr)
            *error = QStringLiteral("disk full");
        return !failFlush;
    }
};

} // namespace narrix::testing
