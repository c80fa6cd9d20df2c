#include "speech/espeak_backend.h"

#include "base/diagnostics.h"
#include "speech/espeak_library.h"
#include "speech/language_codes.h"

#include <algorithm>

namespace narrix {
namespace {

struct CallbackContext
{
    const SynthBackend::PcmSink* sink = nullptr;
    int sampleRate = 22050;
    bool abandoned = false;
};

int onSynth(short* wav, int count, espeak_EVENT* events)
{
    auto* context = events ? static_cast<CallbackContext*>(events->user_data) : nullptr;
    if (!context)
        return 0;
    if (context->abandoned)
        return 1;
    if (wav && count > 0 && !(*context->sink)(wav, static_cast<std::size_t>(count), context->sampleRate)) {
        context->abandoned = true;
        return 1;
    }
    return 0;
}

QString readableName(const char* name)
{
    QString text = QString::fromUtf8(name ? name : "");
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

// espeak-ng reports 1 for male and 2 for female; the engine reports 1 female, 2 male.
int engineGender(unsigned char espeakGender)
{
    return espeakGender == 2 ? 1 : (espeakGender == 1 ? 2 : 0);
}

const char* firstLanguage(const espeak_VOICE* voice)
{
    // A list of (priority byte, language string) pairs; the first pair is the voice's own language.
    return voice->languages && voice->languages[0] ? voice->languages + 1 : "";
}

} // namespace

EspeakBackend::~EspeakBackend()
{
    if (started_)
        espeak_->terminate();
}

bool EspeakBackend::ensureStarted()
{
    if (tried_)
        return started_;
    tried_ = true;
    espeak_ = EspeakLibrary::open();
    if (espeak_ == nullptr)
        return false;
    const int rate = espeak_->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        qCWarning(lcSpeech, "espeak-ng could not start (its data files are missing?)");
        return false;
    }
    sampleRate_ = rate;
    espeak_->setSynthCallback(onSynth);
    started_ = true;
    return true;
}

std::vector<VoiceInfo> EspeakBackend::listVoices()
{
    std::vector<VoiceInfo> result;
    if (!ensureStarted())
        return result;

    std::string englishIdentifier = "en-us";
    for (const espeak_VOICE** v = espeak_->listVoices(nullptr); v && *v; ++v) {
        const espeak_VOICE* voice = *v;
        VoiceInfo info;
        info.speaker = readableName(voice->name);
        info.name = info.speaker + QStringLiteral(" (espeak-ng)");
        info.gender = engineGender(voice->gender);
        info.age = voice->age;
        info.language = windowsPrimaryLanguage(firstLanguage(voice));
        info.backend = SynthBackendKind::Espeak;
        info.backendVoice = voice->identifier ? voice->identifier : "";
        info.minSpeed = kMinSpeed;
        info.maxSpeed = kMaxSpeed;
        if (std::string_view(firstLanguage(voice)) == "en-us")
            englishIdentifier = info.backendVoice;
        result.push_back(std::move(info));
    }

    // Speaker variants ("Alicia", "f3", "whisper", ...) are voices of their own, over American English.
    espeak_VOICE spec{};
    spec.languages = "variant";
    for (const espeak_VOICE** v = espeak_->listVoices(&spec); v && *v; ++v) {
        const espeak_VOICE* voice = *v;
        std::string file = voice->identifier ? voice->identifier : "";
        if (const auto slash = file.rfind('/'); slash != std::string::npos)
            file.erase(0, slash + 1);
        if (file.empty())
            continue;
        VoiceInfo info;
        info.speaker = readableName(voice->name);
        info.name = info.speaker + QStringLiteral(", English (espeak-ng variant)");
        info.gender = engineGender(voice->gender);
        info.age = voice->age;
        info.language = 9;
        info.backend = SynthBackendKind::Espeak;
        info.backendVoice = englishIdentifier + "+" + file;
        info.minSpeed = kMinSpeed;
        info.maxSpeed = kMaxSpeed;
        result.push_back(std::move(info));
    }
    return result;
}

bool EspeakBackend::synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                               const PcmSink& sink)
{
    if (!ensureStarted())
        return false;
    if (voice.backendVoice != currentVoice_) {
        if (espeak_->setVoiceByName(voice.backendVoice.c_str()) != EE_OK) {
            currentVoice_.clear();
            return false;
        }
        currentVoice_ = voice.backendVoice;
    }
    espeak_->setParameter(espeakRATE, std::clamp(prosody.speed, kMinSpeed, kMaxSpeed), 0);
    espeak_->setParameter(espeakPITCH, std::clamp(50 + prosody.tuning.pitch, 0, 100), 0);
    espeak_->setParameter(espeakRANGE, std::clamp(prosody.tuning.pitchRange, 0, 100), 0);
    espeak_->setParameter(espeakWORDGAP, std::clamp(prosody.tuning.wordGap, 0, 50), 0);
    // Volume is applied by the caller to every backend alike.
    espeak_->setParameter(espeakVOLUME, 100, 0);

    CallbackContext context{&sink, sampleRate_, false};
    const std::string zeroTerminated(text);
    const espeak_ERROR error = espeak_->synth(zeroTerminated.c_str(), zeroTerminated.size() + 1, 0,
                                              POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &context);
    return error == EE_OK;
}

bool EspeakBackend::usable(const VoiceInfo&)
{
    return ensureStarted();
}

} // namespace narrix
