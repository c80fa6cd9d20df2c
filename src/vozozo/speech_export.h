#pragma once

#include "speech/voice_info.h"
#include "vozozo/export_format.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

namespace narrix {

struct SpeechExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString error;
    std::uint64_t samples = 0; // at kSpeechExportRate
};

constexpr int kSpeechExportRate = 22050;

// Told where a piece of the text (bytes [start, end)) begins in the audio, in samples at
// kSpeechExportRate, before any of its samples are written; pieces come in the text's order.
using PieceStartHandler = std::function<void(std::size_t start, std::size_t end, std::uint64_t sample)>;

struct SpeechExportOptions
{
    // Synthesis workers. Above 1, and for a text long enough to share, they are processes running
    // `workerProgram` (vozozo itself); otherwise the text is spoken on this process's synthesis thread.
    int workers = 1;
    QString workerProgram;
    // RIFF content above this size is written as RF64 (tests lower it).
    std::uint64_t riffLimit = 0xFFFFFFFFULL;
    // The file's format and tags: WAV unless told otherwise.
    ExportEncoding encoding;
    // When set, every sentence is a piece of its own and reported here (for a sync file).
    PieceStartHandler sentenceStarted;
};

// One worker per processor the program may run on.
int defaultExportWorkers();

// Speaks `text` (UTF-8, already cleaned) with `voice` into a 16-bit mono audio file of the options'
// format, piece by piece. `progress` gets the fraction of the text done and returns false to cancel;
// it is called on the thread that exports. The path gets the file only when the export succeeds (see
// ExportTarget): a cancelled or failed export leaves whatever was there as it was.
SpeechExportResult exportSpeechToFile(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                      const QString& outputPath,
                                      const std::function<bool(double)>& progress = {},
                                      const SpeechExportOptions& options = {});

} // namespace narrix
