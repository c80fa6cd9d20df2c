#include "vozozo/mp3_frames.h"

#include <algorithm>
#include <array>

namespace narrix {
namespace {

constexpr std::array<int, 15> kMpeg1Bitrates = {0,   32,  40,  48,  56,  64,  80, 96,
                                                112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> kMpeg2Bitrates = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int kRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

constexpr std::size_t kXingBytes = 4 + 4 + 4 + 4 + 100 + 4; // tag, flags, frames, bytes, seek table, quality
constexpr std::size_t kLameBytes = 36;

void putBigEndian(std::string& into, std::size_t at, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        into[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * (bytes - 1 - i))) & 0xFF);
}

std::size_t frameBytes(bool mpeg1, int bitrateKbps, int sampleRate, bool padded)
{
    return static_cast<std::size_t>((mpeg1 ? 144000 : 72000) * bitrateKbps / sampleRate) + (padded ? 1 : 0);
}

void appendSyncSafe(std::string& into, std::size_t value)
{
    for (int shift = 21; shift >= 0; shift -= 7)
        into.push_back(static_cast<char>((value >> shift) & 0x7F));
}

} // namespace

std::optional<Mp3FrameHeader> parseMp3FrameHeader(const unsigned char* data, std::size_t size)
{
    if (size < 4 || data[0] != 0xFF || (data[1] & 0xE0) != 0xE0)
        return std::nullopt;
    Mp3FrameHeader header;
    header.versionBits = (data[1] >> 3) & 3;
    const int layer = (data[1] >> 1) & 3;
    const int bitrateIndex = data[2] >> 4;
    header.rateIndex = (data[2] >> 2) & 3;
    header.modeBits = data[3] >> 6;
    if (header.versionBits == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 ||
        header.rateIndex == 3)
        return std::nullopt;
    header.mpeg1 = header.versionBits == 3;
    header.sampleRate = kRates[header.versionBits][header.rateIndex];
    header.bitrateKbps =
        (header.mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates)[static_cast<std::size_t>(bitrateIndex)];
    header.mono = header.modeBits == 3;
    header.bytes = frameBytes(header.mpeg1, header.bitrateKbps, header.sampleRate, (data[2] & 0x02) != 0);
    header.samples = header.mpeg1 ? 1152 : 576;
    header.sideInfoBytes = header.mpeg1 ? (header.mono ? 17 : 32) : (header.mono ? 9 : 17);
    return header;
}

std::optional<Mp3FrameHeader> mp3HeaderFor(int sampleRate, bool mono)
{
    for (int version : {3, 2, 0}) {
        for (int index = 0; index < 3; ++index) {
            if (kRates[version][index] != sampleRate)
                continue;
            const unsigned char bytes[4] = {0xFF,
                                            static_cast<unsigned char>(0xE0 | (version << 3) | (1 << 1) | 1),
                                            static_cast<unsigned char>((1 << 4) | (index << 2)),
                                            static_cast<unsigned char>(mono ? 0xC0 : 0x40)};
            return parseMp3FrameHeader(bytes, 4);
        }
    }
    return std::nullopt;
}

bool splitMp3Frames(const std::string& stream, std::vector<std::uint16_t>* sizes)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(stream.data());
    std::size_t at = 0;
    while (at < stream.size()) {
        const auto header = parseMp3FrameHeader(bytes + at, stream.size() - at);
        if (!header || header->bytes > stream.size() - at)
            return false;
        sizes->push_back(static_cast<std::uint16_t>(header->bytes));
        at += header->bytes;
    }
    return true;
}

std::uint16_t mp3Crc16(std::uint16_t crc, const char* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<std::uint16_t>(crc ^ static_cast<unsigned char>(data[i]));
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    return crc;
}

std::string mp3InfoFrame(const Mp3FrameHeader& like, const Mp3StreamSummary& summary)
{
    const std::size_t xingAt = 4 + like.sideInfoBytes;
    const std::size_t needed = xingAt + kXingBytes + kLameBytes;
    const auto& bitrates = like.mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates;
    std::size_t index = 1;
    while (index + 1 < bitrates.size() &&
           frameBytes(like.mpeg1, bitrates[index], like.sampleRate, false) < needed)
        ++index;
    const std::size_t size = frameBytes(like.mpeg1, bitrates[index], like.sampleRate, false);
    std::string frame(size, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xE0 | (like.versionBits << 3) | (1 << 1) | 1); // layer III, no CRC
    frame[2] = static_cast<char>((index << 4) | static_cast<std::size_t>(like.rateIndex << 2));
    frame[3] = static_cast<char>(like.modeBits << 6);

    const std::uint64_t totalBytes = size + summary.audioBytes;
    frame.replace(xingAt, 4, "Xing");
    putBigEndian(frame, xingAt + 4, 0x0F, 4); // frames, bytes, seek table and quality present
    putBigEndian(frame, xingAt + 8, summary.frames, 4);
    putBigEndian(frame, xingAt + 12, std::min<std::uint64_t>(totalBytes, 0xFFFFFFFFU), 4);
    // Seek table: where each percent of the duration starts, in 256ths of the stream's bytes.
    std::uint64_t position = size;
    std::size_t frameIndex = 0;
    for (int percent = 0; percent < 100; ++percent) {
        const std::size_t target = summary.frameSizes.size() * static_cast<std::size_t>(percent) / 100;
        while (frameIndex < target && frameIndex < summary.frameSizes.size())
            position += summary.frameSizes[frameIndex++];
        frame[xingAt + 16 + static_cast<std::size_t>(percent)] = static_cast<char>(
            std::min<std::uint64_t>(255, position * 256 / std::max<std::uint64_t>(1, totalBytes)));
    }
    putBigEndian(frame, xingAt + 116, static_cast<std::uint64_t>(std::max(0, 100 - 10 * summary.vbrQuality)),
                 4);

    const std::size_t lameAt = xingAt + kXingBytes;
    frame.replace(lameAt, 9, "LAME3.100");
    frame[lameAt + 9] = 0x04; // tag revision 0, variable bit rate
    putBigEndian(frame, lameAt + 21,
                 (static_cast<std::uint64_t>(std::clamp(summary.encoderDelay, 0, 4095)) << 12) |
                     static_cast<std::uint64_t>(std::clamp(summary.padding, 0, 4095)),
                 3);
    putBigEndian(frame, lameAt + 28, std::min<std::uint64_t>(totalBytes, 0xFFFFFFFFU), 4);
    putBigEndian(frame, lameAt + 32, summary.audioCrc, 2);
    putBigEndian(frame, lameAt + 34, mp3Crc16(0, frame.data(), lameAt + 34), 2);
    return frame;
}

std::string id3v2Tag(const std::vector<Id3TextFrame>& frames)
{
    std::string body;
    for (const Id3TextFrame& frame : frames) {
        if (frame.value.empty())
            continue;
        body.append(frame.id, 4);
        appendSyncSafe(body, frame.value.size() + 1);
        body.append(2, '\0');   // no flags
        body.push_back('\x03'); // UTF-8
        body += frame.value;
    }
    if (body.empty())
        return {};
    std::string tag = "ID3";
    tag.push_back('\x04');
    tag.push_back('\0');
    tag.push_back('\0');
    appendSyncSafe(tag, body.size());
    return tag + body;
}

} // namespace narrix
