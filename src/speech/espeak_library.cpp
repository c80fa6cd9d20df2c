#include "speech/espeak_library.h"

#include "base/diagnostics.h"
#include "platform/shared_library.h"

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libespeak-ng.so.1";

const EspeakLibrary* openLibrary()
{
    // The library stays loaded for the rest of the process. Its audio layer brings PulseAudio and
    // libsndfile with its codecs, which the program no longer loads before main(): bound lazily, as
    // at a program's start, they cost a fraction of what binding every symbol at once would while
    // the window is being built on the other core.
    std::string error;
    SharedLibrary library(kLibraryName, &error);
    static EspeakLibrary functions;
    const bool complete = library.resolve("espeak_Initialize", functions.initialize) &&
                          library.resolve("espeak_Terminate", functions.terminate) &&
                          library.resolve("espeak_SetSynthCallback", functions.setSynthCallback) &&
                          library.resolve("espeak_ListVoices", functions.listVoices) &&
                          library.resolve("espeak_SetVoiceByName", functions.setVoiceByName) &&
                          library.resolve("espeak_SetParameter", functions.setParameter) &&
                          library.resolve("espeak_Synth", functions.synth);
    if (!complete)
        qCWarning(lcSpeech, "%s", error.c_str());
    return complete ? &functions : nullptr;
}

} // namespace

const EspeakLibrary* EspeakLibrary::open()
{
    static const EspeakLibrary* const library = openLibrary();
    return library;
}

} // namespace narrix
