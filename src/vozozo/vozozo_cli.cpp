#include "vozozo/vozozo_cli.h"

#include "speech/speech_text_cleanup.h"
#include "speech/voice_tuning_store.h"
#include "vozozo/chapter_export.h"
#include "vozozo/input_reader.h"
#include "vozozo/vozozo_voices.h"

#include "platform/locale_adapter.h"

#include <QCoreApplication>
#include <algorithm>

#include <unistd.h>

namespace narrix {
namespace {

// Inputs above this size report their progress.
constexpr std::size_t kProgressThreshold = 16 * 1024;

// The chapters to speak: the document's own, parts of about N minutes at the chosen speed, or the
// whole text as one.
std::optional<DocumentOutline> outlineFor(const VozozoArgs& args, const VozozoDocument& document, int speed,
                                          QString* error)
{
    if (args.split == SplitKind::Chapters)
        return outlineOfDocument(document, error);
    std::optional<DocumentOutline> outline = documentTitles(document);
    const auto text = speechTextOfDocument(document, error);
    if (!text)
        return std::nullopt;
    if (args.split == SplitKind::Minutes)
        outline->chapters = partsOfWords(*text, static_cast<std::size_t>(args.splitMinutes) *
                                                    static_cast<std::size_t>(speed));
    else
        outline->chapters = {{outline->title, *text}};
    return outline;
}

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
    const std::optional<VozozoDocument> document = readVozozoDocument(args.input, &error);
    if (!document) {
        std::fprintf(err, "vozozo: %s\n", error.toUtf8().constData());
        return 1;
    }
    const QString shown = args.input == QLatin1String("-") ? QStringLiteral("standard input") : args.input;
    // Printing needs no voice, so the synthesisers are not even started: the text is cleaned as for
    // the default voice, an English espeak-ng one under an English locale.
    if (args.print) {
        std::optional<std::string> text = speechTextOfDocument(*document, &error);
        if (!text) {
            std::fprintf(err, "vozozo: %s: %s\n", shown.toUtf8().constData(), error.toUtf8().constData());
            return 1;
        }
        CleanSpeechTextInPlace(*text, isEnglishLocale(SystemLocale()) ? AsciiFolding::LettersAndSymbols
                                                                      : AsciiFolding::None);
        std::fwrite(text->data(), 1, text->size(), out);
        std::fflush(out);
        return 0;
    }

    // What is not given is what Narrix is set to speak with.
    const NarrixSpeechChoice narrix = readNarrixSpeechChoice();
    const VoiceInfo* voice = args.voice.isEmpty() ? defaultVozozoVoice(narrix) : findVozozoVoice(args.voice);
    if (!voice) {
        if (args.voice.isEmpty())
            std::fprintf(err, "vozozo: no voice is installed\n");
        else
            std::fprintf(err, "vozozo: unknown voice \"%s\" (vozozo --list-voices shows the voices)\n",
                         args.voice.toUtf8().constData());
        return 1;
    }

    Prosody prosody;
    prosody.speed = args.speed > 0 ? std::clamp(args.speed, voice->minSpeed, voice->maxSpeed)
                                   : defaultVozozoSpeed(*voice, narrix);
    prosody.tuning = loadVoiceTuning(voice->name);

    std::optional<DocumentOutline> outline = outlineFor(args, *document, prosody.speed, &error);
    if (!outline) {
        std::fprintf(err, "vozozo: %s: %s\n", shown.toUtf8().constData(), error.toUtf8().constData());
        return 1;
    }
    ChapterExportRequest request;
    const AsciiFolding folding = asciiFoldingFor(voice->language, voiceReadsSymbols(*voice));
    std::size_t bytes = 0;
    for (Chapter& chapter : outline->chapters) {
        CleanSpeechTextInPlace(chapter.text, folding);
        bytes += chapter.text.size();
    }
    request.chapters = std::move(outline->chapters);
    request.outputPath = args.output;
    request.split = args.split != SplitKind::None;
    request.sync = args.sync;
    request.title = outline->title;
    request.author = outline->author;
    request.options.workers = args.jobs > 0 ? args.jobs : defaultExportWorkers();
    request.options.workerProgram = QCoreApplication::applicationFilePath();
    request.options.encoding.format = args.format;
    request.options.encoding.quality = args.quality;

    const bool showProgress = bytes >= kProgressThreshold;
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
    const ChapterExportResult result = exportChapters(request, *voice, prosody, progress);
    if (showProgress && terminal)
        std::fputc('\n', err);
    if (!result.ok) {
        std::fprintf(err, "vozozo: %s\n", result.error.toUtf8().constData());
        return 1;
    }
    const QString written =
        request.split ? QStringLiteral("%1 files beside %2").arg(result.files.size()).arg(args.output)
                      : args.output;
    std::fprintf(err, "vozozo: wrote %s (%.1f seconds of speech, voice %s)\n", written.toUtf8().constData(),
                 static_cast<double>(result.samples) / kSpeechExportRate, voice->name.toUtf8().constData());
    return 0;
}

} // namespace narrix
