#pragma once

#include "sources/source_speaker.h"

#include <string>
#include <vector>

namespace narrix::testing {

// Records what the speech sources spoke, with the sources as their codes (1 real-time ... 5 scheduled).
// Like SpeakBuffer, a text that is not blank makes its source the current one, until the test says
// speaking is done.
class FakeSourceSpeaker final : public SourceSpeaker
{
public:
    struct Spoken
    {
        int source;
        std::string text;
        bool operator==(const Spoken&) const = default;
    };
    int current = 0;
    std::vector<Spoken> spoken;

    SpeechSource currentSource() const override { return static_cast<SpeechSource>(current); }
    void speak(SpeechSource source, std::string text) override
    {
        if (text.find_first_not_of(" \t\r\n") != std::string::npos)
            current = static_cast<int>(source);
        spoken.push_back({static_cast<int>(source), std::move(text)});
    }
    void done() { current = 0; }
};

} // namespace narrix::testing
