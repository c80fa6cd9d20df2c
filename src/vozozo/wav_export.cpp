#include "vozozo/wav_export.h"

#include "speech/resampler.h"
#include "speech/sentence_splitter.h"
#include "speech/synthesis_worker.h"
#include "speech/wav_writer.h"

#include <QFile>
#include <memory>
#include <vector>

namespace narrix {
namespace {

// Audio is written in pieces of about a second, so that the header is not rewritten per chunk.
constexpr std::size_t kWriteBatch = kWavExportRate;
constexpr qsizetype kEspeakPiece = 4000;

} // namespace

WavExportResult exportSpeechToWav(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                  const QString& outputPath, const std::function<bool(double)>& progress)
{
    WavExportResult result;
    WavWriter writer(outputPath, kWavExportRate);
    if (!writer.isOpen()) {
        result.error = QStringLiteral("%1: %2").arg(outputPath, writer.errorString());
        return result;
    }
    const QString whole = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    std::vector<std::int16_t> pending;
    pending.reserve(kWriteBatch * 2);
    bool writeFailed = false;
    bool synthFailed = false;

    auto flush = [&] {
        if (!pending.empty() && !writer.append(pending.data(), pending.size()))
            writeFailed = true;
        pending.clear();
    };

    SynthesisWorker& worker = SynthesisWorker::instance();
    worker.runAndWait([&] {
        qsizetype from = 0;
        std::vector<std::int16_t> converted;
        for (;;) {
            SentenceSpan span = nextSentence(whole, from);
            if (span.empty())
                break;
            // espeak-ng streams whatever it is given: hand it several sentences per call, which
            // saves its per-call set-up. flite gets one sentence at a time.
            if (voice.backend == SynthBackendKind::Espeak) {
                while (span.end - span.start < kEspeakPiece) {
                    const SentenceSpan next = nextSentence(whole, span.end);
                    if (next.empty())
                        break;
                    span.end = next.end;
                }
            }
            from = span.end;
            const std::string sentence =
                QStringView(whole).mid(span.start, span.end - span.start).toUtf8().toStdString();
            std::unique_ptr<Resampler> resampler;
            const bool ok = worker.synthesizeHere(
                voice, sentence, prosody, [&](const std::int16_t* samples, std::size_t count, int rate) {
                    if (!resampler)
                        resampler = std::make_unique<Resampler>(rate, kWavExportRate);
                    converted.clear();
                    resampler->process(samples, count, converted);
                    applyVolume(converted, prosody.tuning.volume);
                    pending.insert(pending.end(), converted.begin(), converted.end());
                    if (pending.size() >= kWriteBatch)
                        flush();
                    return !writeFailed;
                });
            if (!ok && !writeFailed) {
                synthFailed = true;
                break;
            }
            if (writeFailed)
                break;
            if (progress && !progress(static_cast<double>(from) /
                                      static_cast<double>(std::max<qsizetype>(1, whole.size())))) {
                result.cancelled = true;
                break;
            }
        }
        flush();
    });

    result.samples = writer.samplesWritten();
    if (writeFailed)
        result.error = QStringLiteral("%1: %2").arg(outputPath, writer.errorString());
    else if (synthFailed)
        result.error = QStringLiteral("the voice %1 could not speak the text").arg(voice.name);
    result.ok = !writeFailed && !synthFailed && !result.cancelled;
    if (!result.ok)
        QFile::remove(outputPath);
    return result;
}

} // namespace narrix
