#include "speech/voice_tuning_store.h"

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
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Narrix"));
    settings.beginGroup(groupFor(modeName));
    VoiceTuning tuning;
    tuning.pitch = readInt(settings, QStringLiteral("Pitch"), tuning.pitch, -50, 50);
    tuning.volume = readInt(settings, QStringLiteral("Volume"), tuning.volume, 0, 200);
    tuning.pitchRange = readInt(settings, QStringLiteral("PitchRange"), tuning.pitchRange, 0, 100);
    tuning.wordGap = readInt(settings, QStringLiteral("WordGap"), tuning.wordGap, 0, 50);
    return tuning;
}

void saveVoiceTuning(const QString& modeName, const VoiceTuning& tuning)
{
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Narrix"));
    settings.beginGroup(groupFor(modeName));
    settings.setValue(QStringLiteral("Pitch"), QString::number(tuning.pitch));
    settings.setValue(QStringLiteral("Volume"), QString::number(tuning.volume));
    settings.setValue(QStringLiteral("PitchRange"), QString::number(tuning.pitchRange));
    settings.setValue(QStringLiteral("WordGap"), QString::number(tuning.wordGap));
}

} // namespace narrix
