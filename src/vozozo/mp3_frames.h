#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace narrix {

// What the four-byte header of an MPEG audio layer III frame says.
struct Mp3FrameHeader
{
    bool mpeg1 = false; // else MPEG-2 or 2.5 (half the samples per frame)
    int sampleRate = 0;
    int bitrateKbps = 0;
    bool mono = false;
    std::size_t bytes = 0; // the whole frame, header included
    int samples = 0;       // per frame: 1152 (MPEG-1) or 576
    std::size_t sideInfoBytes = 0;
    // The header's own fields, to build another header for the same stream.
    int versionBits = 0;
    int rateIndex = 0;
    int modeBits = 0;
};

// The header at `data`, when it starts a layer III frame of a known bit rate.
std::optional<Mp3FrameHeader> parseMp3FrameHeader(const unsigned char* data, std::size_t size);

// A header like those of the frames an encoder makes of mono or stereo audio at `sampleRate`, for
// an Info frame written before them; nothing for a rate MPEG audio does not have.
std::optional<Mp3FrameHeader> mp3HeaderFor(int sampleRate, bool mono);

// Splits `stream` into frames; their sizes go to `sizes`. False when the bytes are not whole frames.
bool splitMp3Frames(const std::string& stream, std::vector<std::uint16_t>* sizes);

// The fields of the Info frame that leads a variable bit rate stream, so that players know its
// length, can seek in it and drop the encoder's delay and padding.
struct Mp3StreamSummary
{
    std::uint32_t frames = 0;     // audio frames after the Info frame
    std::uint64_t audioBytes = 0; // their bytes
    int encoderDelay = 0;         // samples the encoder put before the first input sample
    int padding = 0;              // samples after the last input sample in the last frame
    int vbrQuality = 4;
    std::uint16_t audioCrc = 0;            // mp3Crc16 over the audio frames
    std::vector<std::uint16_t> frameSizes; // for the seek table
};

// The Info frame (Xing header with a LAME extension) for a stream of frames like `like`.
std::string mp3InfoFrame(const Mp3FrameHeader& like, const Mp3StreamSummary& summary);

// The CRC-16 (polynomial 0x8005, bits reflected) that the Info frame's LAME extension carries,
// continued from `crc` over `size` bytes.
std::uint16_t mp3Crc16(std::uint16_t crc, const char* data, std::size_t size);

// An ID3v2.4 tag with UTF-8 text frames; empty values are left out.
struct Id3TextFrame
{
    const char* id; // "TIT2", "TPE1", ...
    std::string value;
};
std::string id3v2Tag(const std::vector<Id3TextFrame>& frames);

} // namespace narrix
