#pragma once

#include "speech/voice_info.h"

#include <QString>

namespace narrix {

// Keeps each mode's pitch, volume, pitch range and word gap in the program's settings
// (QSettings "Quillmark"/"Narrix", group "EngineVoices"), as decimal text.
VoiceTuning loadVoiceTuning(const QString& modeName);
void saveVoiceTuning(const QString& modeName, const VoiceTuning& tuning);

} // namespace narrix
