#pragma once

#include "speech/speech_engine.h"

#include <memory>

class QObject;

namespace narrix {

// The program's real engine (espeak-ng and flite), with its audio going where NARRIX_AUDIO says.
std::unique_ptr<SpeechEngine> createDefaultSpeechEngine(QObject* parent = nullptr);

} // namespace narrix
