#include "vozozo/vozozo_cli.h"

#include "speech/speech_text_cleanup.h"
#include "speech/voice_tuning_store.h"
#include "vozozo/input_reader.h"
#include "vozozo/vozozo_voices.h"
#include "vozozo/wav_export.h"

#include "platform/locale_adapter.h"

#include <QCoreApplication>
#include <algorithm>

#include <unistd.h>

namespace narrix {
namespace {

// Inputs above this size report their progress.
constexpr std::size_t kProgressThreshold = 16 * 1024;

} // namespace

int runVozozoCli(const VozozoArgs& args, std::FILE* out, std::FILE* err)
{
    if (args.help) {
        std::fputs(qPrintable(vozozoUsage()), out);
        return 0;
    }
    if (args.listVoices) {
        for (const VoiceInfo& voice : vozozoVoices()) {
            const char* gender = voice.gender == 1 ? "female" : (voice.gender == 2 ? "male" : "neutral");
            std::fprintf(out, "%s\t%s\tlanguage %d\n", voice.name.toUtf8().constData(), gender,
                         voice.language);
        }
        return 0;
    }

    QString error;
    if (!args.print && outputIsInput(args.input, args.output)) {
        std::fprintf(err, "vozozo: %s is the input; choose another output with -o\n",
                     args.output.toUtf8().constData());
        return 1;
    }
    std::optional<std::string> text = readVozozoInput(args.input, &error);
    if (!text) {
        std::fprintf(err, "vozozo: %s\n", error.toUtf8().constData());
        return 1;
    }
    // Printing needs no voice, so the synthesisers are not even started: the text is cleaned as for
    // the default voice, an English espeak-ng one under an English locale.
    if (args.print) {
        CleanSpeechTextInPlace(*text, isEnglishLocale(SystemLocale()) ? AsciiFolding::LettersAndSymbols
                                                                      : AsciiFolding::None);
        std::fwrite(text->data(), 1, text->size(), out);
        std::fflush(out);
        return 0;
    }

    const VoiceInfo* voice = args.voice.isEmpty() ? defaultVozozoVoice() : findVozozoVoice(args.voice);
    if (!voice) {
        if (args.voice.isEmpty())
            std::fprintf(err, "vozozo: no voice is installed\n");
        else
            std::fprintf(err, "vozozo: unknown voice \"%s\" (vozozo --list-voices shows the voices)\n",
                         args.voice.toUtf8().constData());
        return 1;
    }

    CleanSpeechTextInPlace(*text, asciiFoldingFor(voice->language, voiceReadsSymbols(*voice)));

    Prosody prosody;
    prosody.speed = std::clamp(args.speed > 0 ? args.speed : 175, voice->minSpeed, voice->maxSpeed);
    prosody.tuning = loadVoiceTuning(voice->name);

    const bool showProgress = text->size() >= kProgressThreshold;
    const bool terminal = isatty(fileno(err)) != 0;
    int lastPercent = -1;
    const auto progress = [&](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (showProgress && percent != lastPercent && (terminal || percent / 5 != lastPercent / 5)) {
            std::fprintf(err, terminal ? "\rvozozo: %d%%" : "vozozo: %d%%\n", percent);
            std::fflush(err);
        }
        lastPercent = percent;
        return true;
    };
    WavExportOptions options;
    options.workers = args.jobs > 0 ? args.jobs : defaultExportWorkers();
    options.workerProgram = QCoreApplication::applicationFilePath();
    const WavExportResult result = exportSpeechToWav(*text, *voice, prosody, args.output, progress, options);
    if (showProgress && terminal)
        std::fputc('\n', err);
    if (!result.ok) {
        std::fprintf(err, "vozozo: %s\n", result.error.toUtf8().constData());
        return 1;
    }
    std::fprintf(err, "vozozo: wrote %s (%.1f seconds of speech, voice %s)\n",
                 args.output.toUtf8().constData(), static_cast<double>(result.samples) / kWavExportRate,
                 voice->name.toUtf8().constData());
    return 0;
}

} // namespace narrix
