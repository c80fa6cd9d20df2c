#include "speech/flite_backend.h"

#include <flite.h>

#include <algorithm>
#include <cstdio>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
cst_voice* register_cmu_us_kal16(const char* voxdir);
}

namespace narrix {
namespace {

struct FliteVoiceEntry
{
    const char* key;
    const char* speaker;
    const char* accent;
    int gender;
    cst_voice* (*registerVoice)(const char*);
};

constexpr FliteVoiceEntry kFliteVoices[] = {
    {"slt", "SLT", "American English", 1, register_cmu_us_slt},
    {"rms", "RMS", "American English", 2, register_cmu_us_rms},
    {"awb", "AWB", "Scottish English", 2, register_cmu_us_awb},
    {"kal16", "KAL", "American English", 2, register_cmu_us_kal16},
};

const FliteVoiceEntry* findEntry(const std::string& key)
{
    for (const auto& entry : kFliteVoices) {
        if (key == entry.key)
            return &entry;
    }
    return nullptr;
}

} // namespace

std::vector<VoiceInfo> FliteBackend::listVoices()
{
    std::vector<VoiceInfo> result;
    for (const auto& entry : kFliteVoices) {
        VoiceInfo info;
        info.speaker = QString::fromLatin1(entry.speaker);
        info.name = QStringLiteral("%1, %2 %3 (flite)")
                        .arg(info.speaker, QString::fromLatin1(entry.accent),
                             entry.gender == 1 ? QStringLiteral("female") : QStringLiteral("male"));
        info.gender = entry.gender;
        info.language = 9;
        info.backend = SynthBackendKind::Flite;
        info.backendVoice = entry.key;
        info.minSpeed = kMinSpeed;
        info.maxSpeed = kMaxSpeed;
        result.push_back(std::move(info));
    }
    return result;
}

FliteBackend::LoadedVoice* FliteBackend::load(const std::string& key)
{
    if (auto it = loaded_.find(key); it != loaded_.end())
        return it->second.voice ? &it->second : nullptr;
    if (!initialised_) {
        flite_init();
        initialised_ = true;
    }
    LoadedVoice loadedVoice;
    if (const FliteVoiceEntry* entry = findEntry(key))
        loadedVoice.voice = entry->registerVoice(nullptr);
    if (loadedVoice.voice)
        loadedVoice.naturalPitch = get_param_float(loadedVoice.voice->features, "int_f0_target_mean", 100.0F);
    else
        std::fprintf(stderr, "narrix: the flite voice %s could not be loaded\n", key.c_str());
    auto& slot = loaded_[key];
    slot = loadedVoice;
    return slot.voice ? &slot : nullptr;
}

bool FliteBackend::synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                              const PcmSink& sink)
{
    LoadedVoice* loadedVoice = load(voice.backendVoice);
    if (!loadedVoice)
        return false;
    cst_voice* v = loadedVoice->voice;
    const int speed = std::clamp(prosody.speed, kMinSpeed, kMaxSpeed);
    flite_feat_set_float(v->features, "duration_stretch",
                         static_cast<float>(kNaturalSpeed) / static_cast<float>(speed));
    const float pitchFactor = 1.0F + static_cast<float>(std::clamp(prosody.tuning.pitch, -50, 50)) / 100.0F;
    flite_feat_set_float(v->features, "int_f0_target_mean", loadedVoice->naturalPitch * pitchFactor);

    const std::string zeroTerminated(text);
    cst_wave* wave = flite_text_to_wave(zeroTerminated.c_str(), v);
    if (!wave)
        return false;
    if (wave->num_samples > 0 && wave->num_channels == 1)
        sink(wave->samples, static_cast<std::size_t>(wave->num_samples), wave->sample_rate);
    const bool ok = wave->num_channels == 1 || wave->num_samples == 0;
    delete_wave(wave);
    return ok;
}

bool FliteBackend::usable(const VoiceInfo& voice)
{
    return load(voice.backendVoice) != nullptr;
}

} // namespace narrix
