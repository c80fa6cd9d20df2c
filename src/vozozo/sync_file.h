#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace narrix {

// A file that tells a player when each sentence is heard: LRC ("[mm:ss.xx]sentence" lines) or WebVTT
// (one cue per sentence, lasting until the next begins).
enum class SyncFormat { Lrc, WebVtt };

struct SyncLine
{
    std::uint64_t sample = 0; // where the sentence begins in the audio
    std::string text;         // UTF-8, one line
};

// "lrc" or "vtt" (any letter case).
std::optional<SyncFormat> syncFormatNamed(const QString& name);
QString syncFormatExtension(SyncFormat format);

// The file's text for sentences of audio at `rate` samples a second, `totalSamples` long.
std::string syncFileText(SyncFormat format, const std::vector<SyncLine>& lines, std::uint64_t totalSamples,
                         int rate, const QString& title);

// `text` on one line: runs of white space become one blank, none at either end.
std::string oneLine(std::string_view text);

} // namespace narrix
