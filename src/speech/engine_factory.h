#pragma once

#include "speech/text_to_speech.h"

#include <memory>

class QObject;

namespace narrix {

// Creates the program's engines (espeak-ng and flite, with the audio going to `sink`)
// and owns what they share: one speed and the settings dialog the GUI gives them. The program has one
// factory, made where the engines are first needed (main).
class SpeechEngineFactory
{
public:
    explicit SpeechEngineFactory(const AudioSinkOptions& sink);

    std::unique_ptr<TTextToSpeech> create(QObject* parent = nullptr);
    // For the engines made so far and every engine made later.
    void setSettingsDialog(const TTextToSpeech::SettingsDialogHook& hook);

private:
    AudioSinkOptions sink_;
    std::shared_ptr<SharedSpeed> speed_ = std::make_shared<SharedSpeed>();
    TTextToSpeech::SettingsDialogHook settingsDialog_;
};

} // namespace narrix
