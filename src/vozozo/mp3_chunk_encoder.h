#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace narrix {

struct Mp3EncoderSettings
{
    int sampleRate = 22050;
    double vbrQuality = 4;    // LAME's variable bit rate scale: 0 (best) .. 9.999 (smallest)
    int algorithmQuality = 7; // LAME's search effort: 0 (slowest) .. 9 (fastest)
};

// MP3 frames cover fixed stretches of samples on one grid, so a long export can be encoded in pieces
// on several threads and the pieces' frames joined into one stream as if one encoder had made it:
// each piece is encoded with some samples of its neighbours before and after it, and only the frames
// of its own stretch are kept. The bit reservoir is off, so that no frame borrows room from a frame
// of another piece. Pieces start on the grid (a multiple of kMp3ChunkGrid samples).
constexpr std::size_t kMp3ChunkGrid = 576;
// Neighbouring samples a piece is encoded with on each side: enough for the encoder's delay, its
// transform's overlap and its look-ahead.
constexpr std::size_t kMp3ChunkOverlap = 5 * kMp3ChunkGrid;

struct Mp3Chunk
{
    std::string frames;
    std::vector<std::uint16_t> frameSizes;
    QString error;
};

// Encodes `samples` (mono) and keeps `keepFrames` frames after the first `skipFrames`, or every frame
// after them when `keepFrames` is 0 (the export's last piece).
Mp3Chunk encodeMp3Chunk(const Mp3EncoderSettings& settings, const std::vector<std::int16_t>& samples,
                        std::size_t skipFrames, std::size_t keepFrames);

// The samples of silence the encoder puts before the first sample; -1 when it refuses the settings.
int mp3EncoderDelay(const Mp3EncoderSettings& settings);

} // namespace narrix
