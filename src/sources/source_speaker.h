#pragma once

#include <string>

namespace narrix {

// What a speech source needs of the reading control: the current speech source (0 while nothing is
// being spoken; 1 real-time, 2 clipboard, 3 time and date, 4 document, 5 scheduled) and the one way to
// speak.
class SourceSpeaker
{
public:
    virtual ~SourceSpeaker() = default;
    virtual int currentSource() const = 0;
    // Puts `text` into the speech text buffer and calls SpeakBuffer(source), which cleans it and
    // ignores it if nothing remains.
    virtual void speak(int source, std::string text) = 0;
};

} // namespace narrix
