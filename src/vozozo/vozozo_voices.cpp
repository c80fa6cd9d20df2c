#include "vozozo/vozozo_voices.h"

#include "speech/synthesis_worker.h"

#include <QSettings>
#include <algorithm>

namespace narrix {
namespace {

constexpr int kVozozoSpeed = 175;

} // namespace

NarrixSpeechChoice readNarrixSpeechChoice(const QString& settingsPath)
{
    const SettingsFile file(settingsPath);
    const QSettings& settings = file.values();
    NarrixSpeechChoice choice;
    choice.voice = settings.value(QStringLiteral("Voice")).toString();
    bool ok = false;
    const int speed = settings.value(QStringLiteral("Speed")).toString().trimmed().toInt(&ok);
    choice.speed = ok && speed > 0 ? speed : 0;
    return choice;
}

const std::vector<VoiceInfo>& vozozoVoices()
{
    return SynthesisWorker::instance().voices();
}

const VoiceInfo* findVozozoVoice(const QString& name)
{
    const auto& voices = vozozoVoices();
    for (const VoiceInfo& voice : voices) {
        if (voice.name == name)
            return &voice;
    }
    const VoiceInfo* match = nullptr;
    for (const VoiceInfo& voice : voices) {
        if (voice.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            if (match)
                return nullptr; // ambiguous
            match = &voice;
        }
    }
    return match;
}

const VoiceInfo* defaultVozozoVoice(const NarrixSpeechChoice& narrix)
{
    const auto& voices = vozozoVoices();
    const auto set = std::find_if(voices.begin(), voices.end(),
                                  [&narrix](const VoiceInfo& voice) { return voice.name == narrix.voice; });
    if (set != voices.end())
        return &*set;
    return voices.empty() ? nullptr : &voices.front();
}

int defaultVozozoSpeed(const VoiceInfo& voice, const NarrixSpeechChoice& narrix)
{
    return std::clamp(narrix.speed > 0 ? narrix.speed : kVozozoSpeed, voice.minSpeed, voice.maxSpeed);
}

} // namespace narrix
