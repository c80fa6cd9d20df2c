#pragma once

#include "speech/reading_state.h"

namespace narrix {

// What Speech Properties keeps of the reading state: the engine's speed range, measured again for
// each voice the dialog shows, and the switch that has the reading control ignore the engine's
// attribute changes while the range is measured. A view over the reading state it is made for.
class EngineSpeedRange
{
public:
    explicit EngineSpeedRange(ReadingState& state) : state_(&state) {}

    int minimum() const { return state_->minSpeed; }
    int maximum() const { return state_->maxSpeed; }
    void set(int minimum, int maximum)
    {
        state_->minSpeed = minimum;
        state_->maxSpeed = maximum;
    }
    void heedAttribChanges(bool heed) { state_->attribChangeEnabled = heed; }

private:
    ReadingState* state_;
};

} // namespace narrix
