#include "sources/reading_speaker.h"

#include "speech/reading_control.h"

namespace narrix {

void ReadingSpeaker::speak(SpeechSource source, std::string text)
{
    state_.speechBuffer = std::move(text);
    reading_.SpeakBuffer(source);
}

} // namespace narrix
