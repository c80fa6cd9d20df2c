#include "speech/speechd_library.h"

#include "platform/shared_library.h"

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libspeechd.so.2";

bool resolveAll(SharedLibrary& library, SpeechdLibrary& f)
{
    return library.resolve("spd_open2", f.open2) && library.resolve("spd_close", f.close) &&
           library.resolve("spd_cancel", f.cancel) && library.resolve("spd_get_client_id", f.getClientId) &&
           library.resolve("spd_list_modules", f.listModules) &&
           library.resolve("free_spd_modules", f.freeModules) &&
           library.resolve("spd_list_synthesis_voices", f.listSynthesisVoices) &&
           library.resolve("free_spd_voices", f.freeVoices) &&
           library.resolve("spd_set_output_module", f.setOutputModule) &&
           library.resolve("spd_set_synthesis_voice", f.setSynthesisVoice) &&
           library.resolve("spd_set_voice_rate", f.setVoiceRate) &&
           library.resolve("spd_set_voice_pitch", f.setVoicePitch) &&
           library.resolve("spd_set_volume", f.setVolume) &&
           library.resolve("spd_set_notification_on", f.setNotificationOn) &&
           library.resolve("spd_set_data_mode", f.setDataMode) && library.resolve("spd_say", f.say);
}

} // namespace

const SpeechdLibrary* SpeechdLibrary::open(std::string* error)
{
    static const OpenedFunctions<SpeechdLibrary> opened =
        openFunctions<SpeechdLibrary>(kLibraryName, resolveAll);
    if (opened.functions == nullptr && error != nullptr)
        *error = "the speech-dispatcher library cannot be loaded: " + opened.error;
    return opened.functions;
}

} // namespace narrix
