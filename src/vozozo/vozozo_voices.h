#pragma once

#include "speech/voice_info.h"

#include <QString>
#include <vector>

namespace narrix {

// The voices vozozo offers: the engine's modes.
const std::vector<VoiceInfo>& vozozoVoices();
// The voice named `name` (exactly, else ignoring case); nullptr when there is none.
const VoiceInfo* findVozozoVoice(const QString& name);
// The voice used when none is named: the engine's first mode.
const VoiceInfo* defaultVozozoVoice();

} // namespace narrix
