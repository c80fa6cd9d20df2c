#pragma once

#include "speech/synth_backend.h"

#include <string>

namespace narrix {

struct EspeakLibrary;

// espeak-ng in synchronous mode: its language voices, and its speaker variants over American English.
class EspeakBackend final : public SynthBackend
{
public:
    ~EspeakBackend() override;
    std::vector<VoiceInfo> listVoices() override;
    bool usable(const VoiceInfo& voice) override;
    bool synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                    const PcmSink& sink) override;

    static constexpr int kMinSpeed = 80;
    static constexpr int kMaxSpeed = 450;

private:
    bool ensureStarted();

    const EspeakLibrary* espeak_ = nullptr;
    bool tried_ = false;
    bool started_ = false;
    int sampleRate_ = 22050;
    std::string currentVoice_;
};

} // namespace narrix
