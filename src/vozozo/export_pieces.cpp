#include "vozozo/export_pieces.h"

#include "speech/resampler.h"
#include "speech/sentence_splitter.h"
#include "speech/synthesis_worker.h"
#include "vozozo/speech_export.h"

#include <memory>

namespace narrix {
namespace {

constexpr qsizetype kEspeakPiece = 4000;

} // namespace

SpeechPieces::Piece SpeechPieces::next()
{
    SentenceSpan span = nextSentence(text_, static_cast<qsizetype>(from_));
    if (span.empty())
        return {};
    if (backend_ == SynthBackendKind::Espeak && !sentences_) {
        while (span.end - span.start < kEspeakPiece) {
            const SentenceSpan more = nextSentence(text_, span.end);
            if (more.empty())
                break;
            span.end = more.end;
        }
    }
    from_ = static_cast<std::size_t>(span.end);
    return {static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.end)};
}

bool synthesizeExportPiece(SynthesisWorker& worker, const VoiceInfo& voice, std::string_view piece,
                           const Prosody& prosody,
                           const std::function<bool(const std::vector<std::int16_t>&)>& sink)
{
    // A fresh resampler per piece: a piece's samples never depend on the piece before it.
    std::unique_ptr<Resampler> resampler;
    std::vector<std::int16_t> converted;
    return worker.synthesizeHere(voice, piece, prosody,
                                 [&](const std::int16_t* samples, std::size_t count, int rate) {
                                     if (!resampler)
                                         resampler = std::make_unique<Resampler>(rate, kSpeechExportRate);
                                     converted.clear();
                                     resampler->process(samples, count, converted);
                                     applyVolume(converted, prosody.tuning.volume);
                                     return sink(converted);
                                 });
}

} // namespace narrix
