#pragma once

#include <libspeechd.h>

#include <string>

namespace narrix {

// The functions of libspeechd the speech service's voices call, from the library opened with dlopen
// when its voices are first listed (on the listing thread): linked into the program, it would be
// loaded and relocated before main() at every start.
struct SpeechdLibrary
{
    decltype(&spd_open2) open2 = nullptr;
    decltype(&spd_close) close = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_get_client_id) getClientId = nullptr;
    decltype(&spd_list_modules) listModules = nullptr;
    decltype(&free_spd_modules) freeModules = nullptr;
    decltype(&spd_list_synthesis_voices) listSynthesisVoices = nullptr;
    decltype(&free_spd_voices) freeVoices = nullptr;
    decltype(&spd_set_output_module) setOutputModule = nullptr;
    decltype(&spd_set_synthesis_voice) setSynthesisVoice = nullptr;
    decltype(&spd_set_voice_rate) setVoiceRate = nullptr;
    decltype(&spd_set_voice_pitch) setVoicePitch = nullptr;
    decltype(&spd_set_volume) setVolume = nullptr;
    decltype(&spd_set_notification_on) setNotificationOn = nullptr;
    decltype(&spd_set_data_mode) setDataMode = nullptr;
    decltype(&spd_say) say = nullptr;

    // Opens the library once per process, from any thread; null with the reason in `error` when it
    // or one of its functions is missing.
    static const SpeechdLibrary* open(std::string* error);
};

} // namespace narrix
