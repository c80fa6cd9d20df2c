#pragma once

#include <QString>

namespace narrix {

class SpeechEngine;
struct ReadingState;

struct SpeedRange
{
    int minimum = 0;
    int maximum = 0;
};

// Measures the engine's speed range (write 0, read the minimum; write -1, read the maximum). An
// engine that does not clamp still yields a usable range.
SpeedRange measureSpeedRange(SpeechEngine& engine);

// Readies the engine at start-up: selects the first mode named `voice` (exact match; none keeps the
// engine's default), suppresses the engine's own error boxes, sets the audio device, measures the
// speed range into `state` and sets the stored speed. Attribute-change handling is off while the range
// is measured. Returns false when the named mode exists but could not be selected (the engine keeps
// its default mode).
bool prepareSpeechEngine(SpeechEngine& engine, ReadingState& state, const QString& voice, int device,
                         int speed);

} // namespace narrix
