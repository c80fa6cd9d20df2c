#include "speech/flite_backend.h"

#include "base/diagnostics.h"
#include "platform/shared_library.h"

#include <flite.h>

#include <algorithm>

namespace narrix {
namespace {

// flite's own functions, from libflite opened with dlopen when the first voice is loaded: linked into
// the program, it and ALSA would be loaded and relocated at every start.
struct FliteLibrary
{
    decltype(&flite_init) init = nullptr;
    decltype(&get_param_float) getParamFloat = nullptr;
    decltype(&flite_feat_set_float) featSetFloat = nullptr;
    decltype(&new_audio_streaming_info) newStreamingInfo = nullptr;
    decltype(&audio_streaming_info_val) streamingInfoVal = nullptr;
    decltype(&feat_set) featSet = nullptr;
    decltype(&feat_remove) featRemove = nullptr;
    decltype(&flite_synth_text) synthText = nullptr;
    decltype(&utt_wave) uttWave = nullptr;
    decltype(&delete_utterance) deleteUtterance = nullptr;
};

constexpr const char* kFliteLibraryName = "libflite.so.1";

// The voices' libraries use the same one.
bool resolveAll(SharedLibrary& library, FliteLibrary& functions)
{
    return library.resolve("flite_init", functions.init) &&
           library.resolve("get_param_float", functions.getParamFloat) &&
           library.resolve("flite_feat_set_float", functions.featSetFloat) &&
           library.resolve("new_audio_streaming_info", functions.newStreamingInfo) &&
           library.resolve("audio_streaming_info_val", functions.streamingInfoVal) &&
           library.resolve("feat_set", functions.featSet) &&
           library.resolve("feat_remove", functions.featRemove) &&
           library.resolve("flite_synth_text", functions.synthText) &&
           library.resolve("utt_wave", functions.uttWave) &&
           library.resolve("delete_utterance", functions.deleteUtterance);
}

const FliteLibrary* fliteLibrary()
{
    static const OpenedFunctions<FliteLibrary> opened = [] {
        OpenedFunctions<FliteLibrary> result = openFunctions<FliteLibrary>(kFliteLibraryName, resolveAll);
        if (result.functions == nullptr)
            qCWarning(lcSpeech, "%s", result.error.c_str());
        return result;
    }();
    return opened.functions;
}

// Each voice is a library of its own, opened when the voice is first used: linked into the program,
// the voices' data (over a hundred thousand relocations) would be relocated at every start before
// main() runs, whichever voice is spoken with.
struct FliteVoiceEntry
{
    const char* key;
    const char* speaker;
    const char* accent;
    int gender;
    const char* library;
    const char* registerFunction;
};

constexpr FliteVoiceEntry kFliteVoices[] = {
    {"slt", "SLT", "American English", 1, "libflite_cmu_us_slt.so.1", "register_cmu_us_slt"},
    {"rms", "RMS", "American English", 2, "libflite_cmu_us_rms.so.1", "register_cmu_us_rms"},
    {"awb", "AWB", "Scottish English", 2, "libflite_cmu_us_awb.so.1", "register_cmu_us_awb"},
    {"kal16", "KAL", "American English", 2, "libflite_cmu_us_kal16.so.1", "register_cmu_us_kal16"},
};

// Opens the voice's library and registers the voice; null (with the reason on stderr) when either
// fails. The library stays loaded: the voice's data lives in it.
cst_voice* registerVoice(const FliteVoiceEntry& entry)
{
    std::string error;
    SharedLibrary library(entry.library, &error);
    cst_voice* (*registerFunction)(const char*) = nullptr;
    if (!library.resolve(entry.registerFunction, registerFunction)) {
        qCWarning(lcSpeech, "%s", error.c_str());
        return nullptr;
    }
    return registerFunction(nullptr);
}

struct StreamContext
{
    const SynthBackend::PcmSink* sink;
    bool streamed;
    bool abandoned;
};

int onFliteChunk(const cst_wave* wave, int start, int size, int /*last*/, cst_audio_streaming_info* info)
{
    auto* context = static_cast<StreamContext*>(info->userdata);
    context->streamed = true;
    if (context->abandoned)
        return CST_AUDIO_STREAM_STOP;
    if (size > 0 && wave->num_channels == 1 &&
        !(*context->sink)(wave->samples + start, static_cast<std::size_t>(size), wave->sample_rate)) {
        context->abandoned = true;
        return CST_AUDIO_STREAM_STOP;
    }
    return CST_AUDIO_STREAM_CONT;
}

const FliteVoiceEntry* findEntry(const std::string& key)
{
    for (const auto& entry : kFliteVoices) {
        if (key == entry.key)
            return &entry;
    }
    return nullptr;
}

} // namespace

std::vector<VoiceInfo> FliteBackend::listVoices()
{
    std::vector<VoiceInfo> result;
    for (const auto& entry : kFliteVoices) {
        VoiceInfo info;
        info.speaker = QString::fromLatin1(entry.speaker);
        info.name = QStringLiteral("%1, %2 %3 (flite)")
                        .arg(info.speaker, QString::fromLatin1(entry.accent),
                             entry.gender == 1 ? QStringLiteral("female") : QStringLiteral("male"));
        info.gender = entry.gender;
        info.language = 9;
        info.backend = SynthBackendKind::Flite;
        info.backendVoice = entry.key;
        info.minSpeed = kMinSpeed;
        info.maxSpeed = kMaxSpeed;
        result.push_back(std::move(info));
    }
    return result;
}

FliteBackend::LoadedVoice* FliteBackend::load(const std::string& key)
{
    if (auto it = loaded_.find(key); it != loaded_.end())
        return it->second.voice ? &it->second : nullptr;
    const FliteLibrary* flite = fliteLibrary();
    if (flite != nullptr && !initialised_) {
        flite->init();
        initialised_ = true;
    }
    LoadedVoice loadedVoice;
    if (const FliteVoiceEntry* entry = findEntry(key); entry != nullptr && flite != nullptr)
        loadedVoice.voice = registerVoice(*entry);
    if (loadedVoice.voice)
        loadedVoice.naturalPitch =
            flite->getParamFloat(loadedVoice.voice->features, "int_f0_target_mean", 100.0F);
    else
        qCWarning(lcSpeech, "the flite voice %s could not be loaded", key.c_str());
    auto& slot = loaded_[key];
    slot = loadedVoice;
    return slot.voice ? &slot : nullptr;
}

bool FliteBackend::synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                              const PcmSink& sink)
{
    LoadedVoice* loadedVoice = load(voice.backendVoice);
    if (!loadedVoice)
        return false;
    cst_voice* v = loadedVoice->voice;
    const int speed = std::clamp(prosody.speed, kMinSpeed, kMaxSpeed);
    const FliteLibrary& flite = *fliteLibrary(); // open: the voice was loaded
    flite.featSetFloat(v->features, "duration_stretch",
                       static_cast<float>(kNaturalSpeed) / static_cast<float>(speed));
    const float pitchFactor = 1.0F + static_cast<float>(std::clamp(prosody.tuning.pitch, -50, 50)) / 100.0F;
    flite.featSetFloat(v->features, "int_f0_target_mean", loadedVoice->naturalPitch * pitchFactor);

    // Streamed: the first audio comes as soon as flite has it, not after the whole sentence.
    StreamContext context{&sink, false, false};
    cst_audio_streaming_info* streaming = flite.newStreamingInfo();
    streaming->asc = onFliteChunk;
    streaming->userdata = &context;
    flite.featSet(v->features, "streaming_info", flite.streamingInfoVal(streaming));
    const std::string zeroTerminated(text);
    cst_utterance* utterance = flite.synthText(zeroTerminated.c_str(), v);
    flite.featRemove(v->features, "streaming_info"); // frees `streaming`
    if (!utterance)
        return false;
    bool ok = true;
    if (!context.streamed) {
        // Voices that do not stream leave the whole wave in the utterance.
        const cst_wave* wave = flite.uttWave(utterance);
        if (wave && wave->num_samples > 0 && wave->num_channels == 1)
            sink(wave->samples, static_cast<std::size_t>(wave->num_samples), wave->sample_rate);
        ok = !wave || wave->num_channels == 1 || wave->num_samples == 0;
    }
    flite.deleteUtterance(utterance);
    return ok;
}

bool FliteBackend::usable(const VoiceInfo& voice)
{
    return load(voice.backendVoice) != nullptr;
}

} // namespace narrix
