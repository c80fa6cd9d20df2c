#pragma once

#include "sources/source_speaker.h"

namespace narrix {

class ReadingControl;

// The speech sources' way to the engine: the reading control's speech text buffer and SpeakBuffer.
class ReadingSpeaker final : public SourceSpeaker
{
public:
    ReadingSpeaker(ReadingState& state, ReadingControl& reading) : state_(state), reading_(reading) {}

    SpeechSource currentSource() const override { return state_.currentSource; }
    void speak(SpeechSource source, std::string text) override;

private:
    ReadingState& state_;
    ReadingControl& reading_;
};

} // namespace narrix
