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

// Speaks `text` (UTF-8, already cleaned) with `voice` into a 16-bit mono WAV file, sentence by
// sentence on the synthesis thread. `progress` gets the fraction of the text done and returns false
// to cancel; it is called on the synthesis thread. A cancelled or failed export removes the file.
WavExportResult exportSpeechToWav(std::string_view text, const VoiceInfo& voice, const Prosody& prosody,
                                  const QString& outputPath,
                                  const std::function<bool(double)>& progress = {});

} // namespace narrix
