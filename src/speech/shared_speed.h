#pragma once

#include <vector>

namespace narrix {

class TTextToSpeech;

// The speed is one setting shared by the engines of one owner: the properties dialog's engine
// changes what the main window's engine speaks with. Whoever creates the engines owns it
// (SpeechEngineFactory); each engine keeps it alive and lists itself while it exists.
struct SharedSpeed
{
    int wordsPerMinute = 175;
    std::vector<TTextToSpeech*> engines;
};

} // namespace narrix
