#pragma once

#include "speech/voice_info.h"

#include <vector>

namespace narrix {

// Starts listing the speech service's voices on a thread of its own, once per process. libspeechd
// takes seconds for the 13,000 voices of its espeak-ng module, so nothing on the way to the window
// waits for them.
void beginListingServiceVoices();
// Waits until that listing is over; returns at once when it was never begun.
void waitForServiceVoices();

// The engine's modes: the synthesis thread's voices (waited for), then, `withServiceVoices` and once
// they are listed, the speech service's. `*complete` says whether the list is final; until it is, a
// later call may return a longer list that starts with the same modes. Mode names are unique.
const std::vector<VoiceInfo>& engineModes(bool withServiceVoices, bool* complete);

} // namespace narrix
