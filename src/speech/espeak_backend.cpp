#include "speech/espeak_backend.h"

#include "base/diagnostics.h"
#include "speech/espeak_library.h"
#include "speech/espeak_voice_cache.h"
#include "speech/language_codes.h"

#include <QStandardPaths>
#include <algorithm>
#include <atomic>

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

QString readableName(const std::string& name)
{
    QString text = QString::fromStdString(name);
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

// espeak-ng reports 1 for male and 2 for female; the engine reports 1 female, 2 male.
int engineGender(int espeakGender)
{
    return espeakGender == 2 ? 1 : (espeakGender == 1 ? 2 : 0);
}

const char* firstLanguage(const espeak_VOICE* voice)
{
    // A list of (priority byte, language string) pairs; the first pair is the voice's own language.
    return voice->languages && voice->languages[0] ? voice->languages + 1 : "";
}

EspeakVoiceEntry voiceEntry(const espeak_VOICE& voice)
{
    return EspeakVoiceEntry{voice.name ? voice.name : "", voice.identifier ? voice.identifier : "",
                            firstLanguage(&voice), voice.gender, voice.age};
}

VoiceInfo espeakVoice(const EspeakVoiceEntry& entry, const QString& nameSuffix)
{
    VoiceInfo info;
    info.speaker = readableName(entry.name);
    info.name = info.speaker + nameSuffix;
    info.gender = engineGender(entry.gender);
    info.age = entry.age;
    info.backend = SynthBackendKind::Espeak;
    info.minSpeed = EspeakBackend::kMinSpeed;
    info.maxSpeed = EspeakBackend::kMaxSpeed;
    return info;
}

std::vector<VoiceInfo> voiceInfos(const EspeakVoiceListing& listing)
{
    std::vector<VoiceInfo> result;
    std::string englishIdentifier = "en-us";
    for (const EspeakVoiceEntry& entry : listing.languages) {
        VoiceInfo info = espeakVoice(entry, QStringLiteral(" (espeak-ng)"));
        info.language = windowsPrimaryLanguage(entry.language);
        info.backendVoice = entry.identifier;
        if (entry.language == "en-us")
            englishIdentifier = info.backendVoice;
        result.push_back(std::move(info));
    }

    // Speaker variants ("Alicia", "f3", "whisper", ...) are voices of their own, over American English.
    for (const EspeakVoiceEntry& entry : listing.variants) {
        std::string file = entry.identifier;
        if (const auto slash = file.rfind('/'); slash != std::string::npos)
            file.erase(0, slash + 1);
        if (file.empty())
            continue;
        VoiceInfo info = espeakVoice(entry, QStringLiteral(", English (espeak-ng variant)"));
        info.language = 9;
        info.backendVoice = englishIdentifier + "+" + file;
        result.push_back(std::move(info));
    }
    return result;
}

// Empty (no cache) when the system names no cache folder.
QString defaultVoiceCachePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/narrix/espeak-ng-voices");
}

} // namespace

EspeakBackend::EspeakBackend() : voiceCachePath_(defaultVoiceCachePath()) {}

EspeakBackend::~EspeakBackend()
{
    if (started_)
        espeak_->terminate();
}

bool EspeakBackend::openLibrary()
{
    if (espeak_ == nullptr)
        espeak_ = EspeakLibrary::open();
    return espeak_ != nullptr;
}

bool EspeakBackend::ensureStarted()
{
    if (tried_)
        return started_;
    tried_ = true;
    if (!openLibrary())
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

void EspeakBackend::start()
{
    ensureStarted();
}

EspeakVoiceListing EspeakBackend::listFromEspeak()
{
    EspeakVoiceListing listing;
    for (const espeak_VOICE** v = espeak_->listVoices(nullptr); v && *v; ++v)
        listing.languages.push_back(voiceEntry(**v));
    espeak_VOICE spec{};
    spec.languages = "variant";
    for (const espeak_VOICE** v = espeak_->listVoices(&spec); v && *v; ++v)
        listing.variants.push_back(voiceEntry(**v));
    return listing;
}

std::vector<VoiceInfo> EspeakBackend::listVoices()
{
    if (!openLibrary())
        return {};
    std::string header;
    if (!voiceCachePath_.isEmpty()) {
        header = espeakVoiceCacheHeader(*espeak_);
        if (std::optional<EspeakVoiceListing> cached = readEspeakVoiceCache(voiceCachePath_, header))
            return voiceInfos(*cached);
    }
    if (!ensureStarted())
        return {};
    const EspeakVoiceListing listing = listFromEspeak();
    QString error;
    if (!voiceCachePath_.isEmpty() && !writeEspeakVoiceCache(voiceCachePath_, header, listing, &error)) {
        // Listing for real every time costs a few milliseconds: worth saying once, not at every start.
        static std::atomic_flag warned = ATOMIC_FLAG_INIT;
        if (!warned.test_and_set())
            qCWarning(lcSpeech, "the voice list is not cached: %s", qUtf8Printable(error));
    }
    return voiceInfos(listing);
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
