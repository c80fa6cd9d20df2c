#pragma once

#include "speech/voice_info.h"

#include <vector>

namespace narrix {

// Starts listing the speech service's voices on a thread of its own, once per process, so that the
// listing runs while the program starts.
void beginListingServiceVoices();

// The engine's modes: the synthesis thread's voices, then, `withServiceVoices`, the speech service's
// (waited for; beginListingServiceVoices starts them if it has not been called). Listed once per
// process; mode names are unique.
const std::vector<VoiceInfo>& engineModes(bool withServiceVoices);

} // namespace narrix
