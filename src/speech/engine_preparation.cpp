#include "speech/engine_preparation.h"

#include "speech/engine_modes.h"
#include "speech/reading_state.h"
#include "speech/speech_engine.h"

#include <algorithm>
#include <exception>

namespace narrix {
namespace {

// Used when an engine reports no sensible limits: the range of common speech engines in words per
// minute.
constexpr SpeedRange kFallbackRange{80, 450};

bool hasMode(const SpeechEngine& engine, const QString& name)
{
    const int modes = engine.ModeCount();
    for (int index = 1; index <= modes; ++index) {
        if (engine.ModeName(index) == name)
            return true;
    }
    return false;
}

} // namespace

SpeedRange measureSpeedRange(SpeechEngine& engine)
{
    SpeedRange range;
    engine.SetSpeed(0);
    range.minimum = engine.Speed();
    engine.SetSpeed(-1);
    range.maximum = engine.Speed();
    if (range.minimum <= 0)
        range.minimum = kFallbackRange.minimum;
    if (range.maximum <= range.minimum)
        range.maximum = std::max(kFallbackRange.maximum, range.minimum + 1);
    return range;
}

bool prepareSpeechEngine(SpeechEngine& engine, ReadingState& state, const QString& voice, int device,
                         int speed)
{
    bool selected = true;
    state.attribChangeEnabled = false;
    // A voice of the speech service is there once the service's voices are listed (off the start).
    if (voice.contains(QLatin1String(" (speech-dispatcher ")) && !hasMode(engine, voice))
        waitForServiceVoices();
    const int modes = engine.ModeCount();
    for (int index = 1; index <= modes; ++index) {
        if (engine.ModeName(index) == voice) {
            try {
                engine.Select(index);
            } catch (const std::exception&) {
                selected = false;
            }
            break;
        }
    }
    engine.SetSuppressExceptions(1);
    engine.SetDevice(device);
    const SpeedRange range = measureSpeedRange(engine);
    state.minSpeed = range.minimum;
    state.maxSpeed = range.maximum;
    state.attribChangeEnabled = true;
    engine.SetSpeed(speed);
    return selected;
}

} // namespace narrix
