#include "speech/espeak_library.h"

#include "base/diagnostics.h"
#include "platform/shared_library.h"

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libespeak-ng.so.1";

// Its audio layer brings PulseAudio and libsndfile with its codecs, which the program no longer loads
// before main(): bound lazily (SharedLibrary), as at a program's start, they cost a fraction of what
// binding every symbol at once would while the window is being built on the other core.
bool resolveAll(SharedLibrary& library, EspeakLibrary& functions)
{
    return library.resolve("espeak_Initialize", functions.initialize) &&
           library.resolve("espeak_Terminate", functions.terminate) &&
           library.resolve("espeak_SetSynthCallback", functions.setSynthCallback) &&
           library.resolve("espeak_ListVoices", functions.listVoices) &&
           library.resolve("espeak_SetVoiceByName", functions.setVoiceByName) &&
           library.resolve("espeak_SetParameter", functions.setParameter) &&
           library.resolve("espeak_Synth", functions.synth) &&
           library.resolve("espeak_ng_InitializePath", functions.initializePath) &&
           library.resolve("espeak_Info", functions.info);
}

} // namespace

const EspeakLibrary* EspeakLibrary::open()
{
    static const OpenedFunctions<EspeakLibrary> opened = [] {
        OpenedFunctions<EspeakLibrary> result = openFunctions<EspeakLibrary>(kLibraryName, resolveAll);
        if (result.functions == nullptr)
            qCWarning(lcSpeech, "%s", result.error.c_str());
        return result;
    }();
    return opened.functions;
}

} // namespace narrix
