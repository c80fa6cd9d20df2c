#pragma once

#include <string>

namespace narrix {

// Who is speaking. The order is the arbitration order: a source may speak only while nothing of a
// higher one is queued or speaking; Scheduled (also the greeting and the command-line item) always may.
enum class SpeechSource { None = 0, RealTime = 1, Clipboard = 2, TimeDate = 3, Document = 4, Scheduled = 5 };

// Reading control's share of the program-wide run-time state. The program's state holds one; every
// source that speaks fills `speechBuffer` and calls SpeakBuffer with its SpeechSource.
struct ReadingState
{
    std::string speechBuffer; // UTF-8; SpeakBuffer empties it
    SpeechSource currentSource = SpeechSource::None;
    bool speaking = false;           // between the engine's speaking-started and speaking-done events
    std::string currentTitle;        // title of the running item; "Greetings" for the greeting
    bool attribChangeEnabled = true; // off while the speed range is measured
    bool englishLocale = false;      // the system locale is English (the clean-up follows the voice)
    int minSpeed = 0;                // the engine's speed range, measured at start-up
    int maxSpeed = 0;
    bool exitWhenDone = false; // a command-line item is being spoken: close when it is done
};

} // namespace narrix
