#pragma once

#include "speech/synth_backend.h"

#include <map>
#include <string>

struct cst_voice_struct;

namespace narrix {

// flite's English voices: slt (female), rms, awb and kal16 (male).
class FliteBackend final : public SynthBackend
{
public:
    std::vector<VoiceInfo> listVoices() override;
    bool usable(const VoiceInfo& voice) override;
    bool synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                    const PcmSink& sink) override;

    static constexpr int kMinSpeed = 90;
    static constexpr int kMaxSpeed = 370;
    // flite's voices speak at about this many words per minute with no stretch.
    static constexpr int kNaturalSpeed = 175;

private:
    struct LoadedVoice
    {
        cst_voice_struct* voice = nullptr;
        float naturalPitch = 0;
    };
    LoadedVoice* load(const std::string& key);

    bool initialised_ = false;
    std::map<std::string, LoadedVoice> loaded_;
};

} // namespace narrix
