#pragma once

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

namespace narrix {

// The functions of espeak-ng the engine calls, from the library opened with dlopen when the
// synthesis thread first needs it: linked into the program, espeak-ng and what it brings (its audio
// layer, ALSA) would be loaded and relocated before main() at every start.
struct EspeakLibrary
{
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_Terminate) terminate = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_ListVoices) listVoices = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    // Cheap, without starting the synthesiser: where its data is, and which version it is.
    decltype(&espeak_ng_InitializePath) initializePath = nullptr;
    decltype(&espeak_Info) info = nullptr;

    // Opens the library once per process; null (the reason on stderr) when it or a function is missing.
    static const EspeakLibrary* open();
};

} // namespace narrix
