#include "vozozo/speech_export.h"

#include "speech/synthesis_worker.h"
#include "vozozo/encoded_file_output.h"
#include "vozozo/export_pieces.h"
#include "vozozo/parallel_export.h"

#include <algorithm>
#include <thread>

#include <sched.h>

namespace narrix {
namespace {

// Below this many bytes of text, starting worker processes costs more than it saves.
constexpr std::size_t kParallelMinimum = 12000;

// Speaks the text on this process's synthesis thread.
SpeechExportResult exportOnThisProcess(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                       ExportOutput& output, const std::function<bool(double)>& progress,
                                       const PieceStartHandler& sentenceStarted)
{
    SpeechExportResult result;
    bool writeFailed = false;
    bool synthFailed = false;
    SynthesisWorker& worker = SynthesisWorker::instance();
    worker.runAndWait([&] {
        SpeechPieces pieces(text, voice.backend, sentenceStarted != nullptr);
        for (;;) {
            const SpeechPieces::Piece piece = pieces.next();
            if (piece.start == piece.end)
                break;
            if (sentenceStarted)
                sentenceStarted(piece.start, piece.end, output.samplesWritten());
            const bool spoken =
                synthesizeExportPiece(worker, voice, text.substr(piece.start, piece.end - piece.start),
                                      prosody, [&](const std::vector<std::int16_t>& samples) {
                                          writeFailed = !output.append(samples.data(), samples.size());
                                          return !writeFailed;
                                      });
            if (writeFailed)
                break;
            if (!spoken) {
                synthFailed = true;
                break;
            }
            if (progress && !progress(static_cast<double>(pieces.position()) /
                                      static_cast<double>(std::max<std::size_t>(1, text.size())))) {
                result.cancelled = true;
                break;
            }
        }
    });
    if (writeFailed)
        result.error = output.errorString();
    else if (synthFailed)
        result.error = QStringLiteral("the voice %1 could not speak the text").arg(voice.name);
    result.ok = !writeFailed && !synthFailed && !result.cancelled;
    return result;
}

} // namespace

int defaultExportWorkers()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

SpeechExportResult exportSpeechToFile(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                      const QString& outputPath, const std::function<bool(double)>& progress,
                                      const SpeechExportOptions& options)
{
    const std::unique_ptr<ExportOutput> file =
        makeExportOutput(kSpeechExportRate, options.encoding, options.riffLimit);
    ExportOutput& output = *file;
    SpeechExportResult result;
    if (!output.open(outputPath, &result.error))
        return result;
    if (options.workers > 1 && !options.workerProgram.isEmpty() && text.size() >= kParallelMinimum) {
        const ParallelExportResult parallel =
            exportOnWorkerProcesses(text, voice, prosody, options.workers, options.workerProgram, output,
                                    progress, options.sentenceStarted);
        result.ok = parallel.ok;
        result.cancelled = parallel.cancelled;
        result.error = parallel.error;
    } else {
        result = exportOnThisProcess(text, voice, prosody, output, progress, options.sentenceStarted);
    }
    result.samples = output.samplesWritten();
    if (result.ok && !output.commit(&result.error))
        result.ok = false;
    if (!result.ok)
        output.abandon();
    return result;
}

} // namespace narrix
