#pragma once

#include "speech/voice_info.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

namespace narrix {

struct WavExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString error;
    std::uint64_t samples = 0; // at WavExportRate
};

constexpr int kWavExportRate = 22050;

struct WavExportOptions
{
    // Synthesis workers. Above 1, and for a text long enough to share, they are processes running
    // `workerProgram` (vozozo itself); otherwise the text is spoken on this process's synthesis thread.
    int workers = 1;
    QString workerProgram;
    // RIFF content above this size is written as RF64 (tests lower it).
    std::uint64_t riffLimit = 0xFFFFFFFFULL;
};

// One worker per processor the program may run on.
int defaultExportWorkers();

// Speaks `text` (UTF-8, already cleaned) with `voice` into a 16-bit mono WAV file, piece by piece.
// `progress` gets the fraction of the text done and returns false to cancel; it is called on the
// thread that exports. The path gets the file only when the export succeeds (see WavFileOutput): a
// cancelled or failed export leaves whatever was there as it was.
WavExportResult exportSpeechToWav(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                  const QString& outputPath, const std::function<bool(double)>& progress = {},
                                  const WavExportOptions& options = {});

} // namespace narrix
