#include "speech/resampler.h"

#include <algorithm>
#include <cmath>

namespace narrix {

Resampler::Resampler(int inputRate, int outputRate)
    : inputRate_(inputRate), outputRate_(outputRate),
      step_(static_cast<double>(inputRate) / static_cast<double>(outputRate))
{
}

void Resampler::process(const std::int16_t* input, std::size_t count, std::vector<std::int16_t>& out)
{
    if (count == 0)
        return;
    if (inputRate_ == outputRate_) {
        out.insert(out.end(), input, input + count);
        return;
    }
    // Interpolates between x[k] and x[k+1], where x[-1] is the last sample of the previous piece.
    std::size_t consumed = 0;
    if (!havePrevious_) {
        previous_ = input[0];
        havePrevious_ = true;
        consumed = 1;
        position_ = 0;
    }
    out.reserve(out.size() + static_cast<std::size_t>(static_cast<double>(count) / step_) + 2);
    // position_ is measured from `previous_` (index -1 of this piece, relative to `consumed`).
    const std::size_t available = count - consumed;
    const double span = static_cast<double>(available); // samples after `previous_`
    while (position_ < span) {
        const double whole = std::floor(position_);
        const double fraction = position_ - whole;
        const auto index = static_cast<std::size_t>(whole);
        const double a = index == 0 ? previous_ : input[consumed + index - 1];
        const double b = input[consumed + index];
        out.push_back(static_cast<std::int16_t>(std::lround(a + (b - a) * fraction)));
        position_ += step_;
    }
    position_ -= span;
    previous_ = input[count - 1];
}

void applyVolume(std::vector<std::int16_t>& samples, int volumePercent)
{
    if (volumePercent == 100)
        return;
    const int volume = std::clamp(volumePercent, 0, 200);
    for (auto& sample : samples) {
        const int scaled = sample * volume / 100;
        sample = static_cast<std::int16_t>(std::clamp(scaled, -32768, 32767));
    }
}

} // namespace narrix
