#include "speech/engine_factory.h"

#include "speech/text_to_speech.h"

namespace narrix {

std::unique_ptr<SpeechEngine> createDefaultSpeechEngine(QObject* parent)
{
    return std::make_unique<TTextToSpeech>(parent);
}

} // namespace narrix
