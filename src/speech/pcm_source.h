#pragma once

#include <cstddef>
#include <cstdint>

namespace narrix {

// Where the audio of the engine comes from; pulled on the engine's thread or on the sound server's
// thread (PulseAudioOutput), so implementations are safe to call from another thread.
class PcmSource
{
public:
    virtual ~PcmSource() = default;
    // Copies up to `maxSamples` samples of 16-bit mono PCM; returns how many.
    virtual std::size_t pullPcm(std::int16_t* out, std::size_t maxSamples) = 0;
    // True once the source has nothing more to give for the current reading.
    virtual bool pcmFinished() const = 0;
};

} // namespace narrix
