#include "vozozo/vozozo_voices.h"

#include "speech/synthesis_worker.h"

namespace narrix {

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

const VoiceInfo* defaultVozozoVoice()
{
    const auto& voices = vozozoVoices();
    return voices.empty() ? nullptr : &voices.front();
}

} // namespace narrix
