#include "vozozo/mp3_chunk_encoder.h"

#include "vozozo/mp3_frames.h"

#include <lame/lame.h>
#include <memory>

namespace narrix {
namespace {

struct LameDeleter
{
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using Lame = std::unique_ptr<lame_global_flags, LameDeleter>;

Lame makeEncoder(const Mp3EncoderSettings& settings)
{
    Lame lame(lame_init());
    if (!lame)
        return lame;
    lame_set_in_samplerate(lame.get(), settings.sampleRate);
    lame_set_out_samplerate(lame.get(), settings.sampleRate);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_VBR(lame.get(), vbr_default);
    lame_set_VBR_quality(lame.get(), static_cast<float>(settings.vbrQuality));
    lame_set_quality(lame.get(), settings.algorithmQuality);
    lame_set_disable_reservoir(lame.get(), 1);
    lame_set_bWriteVbrTag(lame.get(), 0);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0)
        lame.reset();
    return lame;
}

} // namespace

int mp3EncoderDelay(const Mp3EncoderSettings& settings)
{
    const Lame lame = makeEncoder(settings);
    return lame ? lame_get_encoder_delay(lame.get()) : -1;
}

Mp3Chunk encodeMp3Chunk(const Mp3EncoderSettings& settings, const std::vector<std::int16_t>& samples,
                        std::size_t skipFrames, std::size_t keepFrames)
{
    Mp3Chunk chunk;
    const Lame lame = makeEncoder(settings);
    if (!lame) {
        chunk.error = QStringLiteral("the MP3 encoder refused its settings");
        return chunk;
    }
    std::string stream;
    std::vector<unsigned char> buffer;
    const auto take = [&](int made) {
        if (made < 0 && chunk.error.isEmpty())
            chunk.error = QStringLiteral("the MP3 encoder failed (%1)").arg(made);
        if (made > 0)
            stream.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(made));
    };
    constexpr std::size_t kBlock = 1 << 14;
    for (std::size_t at = 0; at < samples.size() && chunk.error.isEmpty(); at += kBlock) {
        const std::size_t count = std::min(kBlock, samples.size() - at);
        buffer.resize(count + count / 4 + 7200);
        take(lame_encode_buffer(lame.get(), samples.data() + at, nullptr, static_cast<int>(count),
                                buffer.data(), static_cast<int>(buffer.size())));
    }
    buffer.resize(7200);
    take(lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size())));
    if (!chunk.error.isEmpty())
        return chunk;
    std::vector<std::uint16_t> sizes;
    if (!splitMp3Frames(stream, &sizes) || sizes.size() < skipFrames + keepFrames) {
        chunk.error = QStringLiteral("the MP3 encoder made frames that cannot be joined");
        return chunk;
    }
    std::size_t from = 0;
    for (std::size_t i = 0; i < skipFrames; ++i)
        from += sizes[i];
    const std::size_t end = keepFrames == 0 ? sizes.size() : skipFrames + keepFrames;
    chunk.frameSizes.assign(sizes.begin() + static_cast<std::ptrdiff_t>(skipFrames),
                            sizes.begin() + static_cast<std::ptrdiff_t>(end));
    std::size_t bytes = 0;
    for (const std::uint16_t size : chunk.frameSizes)
        bytes += size;
    // The first kept frame must not take any of its data from the frames before it.
    const auto* first = reinterpret_cast<const unsigned char*>(stream.data()) + from;
    const auto header = parseMp3FrameHeader(first, bytes);
    const bool borrows = header && bytes > 5 && (first[4] != 0 || (header->mpeg1 && (first[5] & 0x80) != 0));
    if (borrows) {
        chunk.error = QStringLiteral("the MP3 encoder made frames that cannot be joined");
        return chunk;
    }
    chunk.frames = stream.substr(from, bytes);
    return chunk;
}

} // namespace narrix
