#include "speech/engine_factory.h"

namespace narrix {

SpeechEngineFactory::SpeechEngineFactory(const AudioSinkOptions& sink) : sink_(sink) {}

std::unique_ptr<TTextToSpeech> SpeechEngineFactory::create(QObject* parent)
{
    auto engine = std::make_unique<TTextToSpeech>(sink_, speed_, parent);
    engine->setSettingsDialogHook(settingsDialog_);
    return engine;
}

void SpeechEngineFactory::setSettingsDialog(const TTextToSpeech::SettingsDialogHook& hook)
{
    settingsDialog_ = hook;
    for (TTextToSpeech* engine : speed_->engines)
        engine->setSettingsDialogHook(hook);
}

} // namespace narrix
