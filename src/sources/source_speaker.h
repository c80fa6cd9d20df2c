#pragma once

#include "speech/reading_state.h"

#include <string>

namespace narrix {

// What a speech source needs of the reading control: the current speech source and the one way to
// speak.
class SourceSpeaker
{
public:
    virtual ~SourceSpeaker() = default;
    virtual SpeechSource currentSource() const = 0;
    // Puts `text` into the speech text buffer and calls SpeakBuffer(source), which cleans it and
    // ignores it if nothing remains.
    virtual void speak(SpeechSource source, std::string text) = 0;
};

} // namespace narrix
