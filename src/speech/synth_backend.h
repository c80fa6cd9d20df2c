#pragma once

#include "speech/voice_info.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace narrix {

// A speech synthesiser. All calls of one backend happen on the synthesis thread (espeak-ng keeps
// global state), never concurrently.
class SynthBackend
{
public:
    virtual ~SynthBackend() = default;

    // Receives 16-bit mono PCM as it is produced; returns false to abandon the rest of the text.
    using PcmSink = std::function<bool(const std::int16_t* samples, std::size_t count, int sampleRate)>;

    // The voices this backend offers; empty when the backend cannot start.
    virtual std::vector<VoiceInfo> listVoices() = 0;
    // Starts the synthesiser now, when listing did not, so that the first synthesis does not wait for it.
    virtual void start() {}
    virtual bool usable(const VoiceInfo& voice) = 0;
    // Speaks one piece of UTF-8 text. Returns false when the backend failed.
    virtual bool synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                            const PcmSink& sink) = 0;
};

} // namespace narrix
