#pragma once

#include "speech/voice_info.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace narrix {

class SynthesisWorker;

// Walks a text in the pieces one synthesis call speaks: for espeak-ng whole sentences gathered up to
// at least 4000 bytes (which saves its per-call set-up), for flite one sentence. One worker or many,
// an export speaks exactly these pieces, so each piece sounds the same wherever it is synthesised.
// `sentences` makes every sentence a piece of its own, so that each one's place in the audio is known.
class SpeechPieces
{
public:
    struct Piece
    {
        std::size_t start = 0;
        std::size_t end = 0; // one past the last byte; start == end: no piece left
    };

    SpeechPieces(std::string_view utf8, SynthBackendKind backend, bool sentences = false)
        : text_(utf8), backend_(backend), sentences_(sentences)
    {
    }
    Piece next();
    std::size_t position() const { return from_; }

private:
    std::string_view text_;
    SynthBackendKind backend_;
    bool sentences_;
    std::size_t from_ = 0;
};

// Speaks one piece at the export's sample rate with the voice's volume applied, handing the samples
// to `sink` as they come (false from the sink stops). Runs only on the synthesis thread (inside
// SynthesisWorker::runAndWait). Returns false when synthesis failed or was stopped.
bool synthesizeExportPiece(SynthesisWorker& worker, const VoiceInfo& voice, std::string_view piece,
                           const Prosody& prosody,
                           const std::function<bool(const std::vector<std::int16_t>&)>& sink);

} // namespace narrix
