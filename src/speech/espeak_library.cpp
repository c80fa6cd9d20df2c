#include "speech/espeak_library.h"

#include "base/diagnostics.h"

#include <dlfcn.h>

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libespeak-ng.so.1";

template <typename Function> bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr)
        qCWarning(lcSpeech, "%s has no %s", kLibraryName, name);
    return function != nullptr;
}

const EspeakLibrary* openLibrary()
{
    // The library stays loaded for the rest of the process. Its audio layer brings PulseAudio and
    // libsndfile with its codecs, which the program no longer loads before main(): bound lazily, as
    // at a program's start, they cost a fraction of what binding every symbol at once would while
    // the window is being built on the other core.
    void* library = dlopen(kLibraryName, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        qCWarning(lcSpeech, "%s", dlerror());
        return nullptr;
    }
    static EspeakLibrary functions;
    const bool complete = resolve(library, "espeak_Initialize", functions.initialize) &&
                          resolve(library, "espeak_Terminate", functions.terminate) &&
                          resolve(library, "espeak_SetSynthCallback", functions.setSynthCallback) &&
                          resolve(library, "espeak_ListVoices", functions.listVoices) &&
                          resolve(library, "espeak_SetVoiceByName", functions.setVoiceByName) &&
                          resolve(library, "espeak_SetParameter", functions.setParameter) &&
                          resolve(library, "espeak_Synth", functions.synth);
    return complete ? &functions : nullptr;
}

} // namespace

const EspeakLibrary* EspeakLibrary::open()
{
    static const EspeakLibrary* const library = openLibrary();
    return library;
}

} // namespace narrix
