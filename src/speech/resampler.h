#pragma once

#include <cstdint>
#include <vector>

namespace narrix {

// Streams 16-bit mono PCM from one sample rate to another by linear interpolation. Feed it the
// pieces of one utterance in order; every piece's output is appended to `out`.
class Resampler
{
public:
    Resampler(int inputRate, int outputRate);
    void process(const std::int16_t* input, std::size_t count, std::vector<std::int16_t>& out);

private:
    int inputRate_;
    int outputRate_;
    double step_;
    double position_ = 0; // position of the next output sample, in input samples relative to `previous_`
    std::int16_t previous_ = 0;
    bool havePrevious_ = false;
};

// Scales samples by a volume in percent (0 .. 200), saturating at the 16-bit range.
void applyVolume(std::vector<std::int16_t>& samples, int volumePercent);

} // namespace narrix
