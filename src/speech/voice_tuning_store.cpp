#include "speech/voice_tuning_store.h"

#include "base/diagnostics.h"
#include "platform/settings_file.h"

#include <QSettings>
#include <algorithm>

namespace narrix {
namespace {

QString groupFor(const QString& modeName)
{
    // A settings key cannot hold "/" or "\": those would open sub-groups.
    QString key = modeName;
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    key.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("EngineVoices/") + key;
}

int readInt(const QSettings& settings, const QString& key, int fallback, int low, int high)
{
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::clamp(value, low, high) : fallback;
}

} // namespace

VoiceTuning loadVoiceTuning(const QString& modeName)
{
    const SettingsFile file;
    const QSettings& settings = file.values();
    const QString group = groupFor(modeName) + QLatin1Char('/');
    VoiceTuning tuning;
    tuning.pitch = readInt(settings, group + QStringLiteral("Pitch"), tuning.pitch, -50, 50);
    tuning.volume = readInt(settings, group + QStringLiteral("Volume"), tuning.volume, 0, 200);
    tuning.pitchRange = readInt(settings, group + QStringLiteral("PitchRange"), tuning.pitchRange, 0, 100);
    tuning.wordGap = readInt(settings, group + QStringLiteral("WordGap"), tuning.wordGap, 0, 50);
    return tuning;
}

void saveVoiceTuning(const QString& modeName, const VoiceTuning& tuning)
{
    SettingsFile file;
    QSettings& settings = file.values();
    settings.beginGroup(groupFor(modeName));
    settings.setValue(QStringLiteral("Pitch"), QString::number(tuning.pitch));
    settings.setValue(QStringLiteral("Volume"), QString::number(tuning.volume));
    settings.setValue(QStringLiteral("PitchRange"), QString::number(tuning.pitchRange));
    settings.setValue(QStringLiteral("WordGap"), QString::number(tuning.wordGap));
    settings.endGroup();
    QString error;
    if (!file.save(&error))
        qCWarning(lcNarrix, "voice settings not saved: %s", qUtf8Printable(error));
}

} // namespace narrix
