// Each encoded format written from known samples, as long exports write them (an MP3 is encoded in
// stretches on several threads and their frames joined): ffmpeg, a reader independent of ours, must
// find one stream of the samples' length, and an MP3 must give back the very samples, in place.
#include "audio_probe.h"
#include "vozozo/encoded_file_output.h"
#include "vozozo/mp3_file_output.h"
#include "vozozo/mp3_frames.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace narrix {
namespace {

constexpr int kRate = 22050;

// Speech-like test audio: two partials under a syllable-rate swell, with a silent gap every 3 s.
std::vector<std::int16_t> testSignal(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double swell = std::fmod(t, 3.0) < 2.5 ? 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 4 * t) : 0;
        samples[i] = static_cast<std::int16_t>(
            9000 * swell *
            (std::sin(2 * std::numbers::pi * 220 * t) + 0.5 * std::sin(2 * std::numbers::pi * 1330 * t)));
    }
    return samples;
}

struct Decoded
{
    bool ok = false;
    QByteArray errors;
    std::vector<std::int16_t> samples;
};

// ffmpeg's decoding at the file's own rate, dropping what the file says is delay and padding.
Decoded decode(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                  QStringLiteral("-f"), QStringLiteral("s16le"), QStringLiteral("-")});
    Decoded decoded;
    if (!ffmpeg.waitForFinished(60000))
        return decoded;
    const QByteArray bytes = ffmpeg.readAllStandardOutput();
    decoded.errors = ffmpeg.readAllStandardError();
    decoded.ok = ffmpeg.exitCode() == 0;
    decoded.samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
    std::memcpy(decoded.samples.data(), bytes.constData(), decoded.samples.size() * 2);
    return decoded;
}

// The worst signal-to-noise ratio, in dB, over windows of 0.1 s that hold sound.
double worstWindowSnr(const std::vector<std::int16_t>& original, const std::vector<std::int16_t>& decoded)
{
    constexpr std::size_t kWindow = kRate / 10;
    double worst = 1000;
    for (std::size_t at = 0; at + kWindow <= original.size(); at += kWindow) {
        double signal = 0;
        double noise = 0;
        for (std::size_t i = at; i < at + kWindow; ++i) {
            const double s = original[i];
            signal += s * s;
            noise += (s - decoded[i]) * (s - decoded[i]);
        }
        if (signal > 1e6 * kWindow)
            worst = std::min(worst, 10 * std::log10(signal / std::max(noise, 1.0)));
    }
    return worst;
}

TEST(ExportStreams, EachFormatIsOneStreamOfTheSamplesLength)
{
    struct Case
    {
        ExportFormat format;
        const char* extension;
        const char* codec;
        double seconds;
    };
    // 0.3 s is less than one of the MP3 encoder's stretches, 40 s several, 26.75 s ends on their grid.
    const Case cases[] = {
        {ExportFormat::Mp3, "mp3", "mp3", 0.3},        {ExportFormat::Mp3, "mp3", "mp3", 40.0},
        {ExportFormat::Mp3, "mp3", "mp3", 26.749},     {ExportFormat::OggVorbis, "ogg", "vorbis", 40.0},
        {ExportFormat::Opus, "opus", "opus", 40.0},    {ExportFormat::Flac, "flac", "flac", 40.0},
        {ExportFormat::Wav, "wav", "pcm_s16le", 40.0},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.extension) + " " + std::to_string(c.seconds));
        const auto count = static_cast<std::size_t>(c.seconds * kRate);
        const std::vector<std::int16_t> samples = testSignal(count);
        ExportEncoding encoding;
        encoding.format = c.format;
        encoding.title = QStringLiteral("Tide \u00e9t\u00e9");
        const QString path = dir.filePath(QStringLiteral("signal.") + QLatin1String(c.extension));
        const auto output = makeExportOutput(kRate, encoding, 0xFFFFFFFFULL);
        QString error;
        ASSERT_TRUE(output->open(path, &error)) << error.toStdString();
        // Odd-sized blocks, as the synthesis workers deliver them.
        for (std::size_t at = 0; at < count; at += 1237)
            ASSERT_TRUE(output->append(samples.data() + at, std::min<std::size_t>(1237, count - at)));
        ASSERT_TRUE(output->commit(&error)) << error.toStdString();

        const auto probe = testing::probeAudio(path);
        ASSERT_TRUE(probe.read);
        EXPECT_EQ(probe.codec, QLatin1String(c.codec));
        EXPECT_NEAR(probe.seconds, c.seconds, std::max(0.02 * c.seconds, 0.1));
        if (c.format != ExportFormat::Wav) {
            EXPECT_EQ(probe.tags.value(QStringLiteral("title")).toString(), encoding.title);
        }
        const Decoded decoded = decode(path);
        ASSERT_TRUE(decoded.ok);
        EXPECT_TRUE(decoded.errors.isEmpty()) << decoded.errors.toStdString();
        if (c.format == ExportFormat::Opus)
            continue; // decoded at 48 kHz
        if (c.format == ExportFormat::Mp3) {
            ASSERT_EQ(decoded.samples.size(), count);
            EXPECT_GT(worstWindowSnr(samples, decoded.samples), 12.0);
        } else {
            EXPECT_NEAR(static_cast<double>(decoded.samples.size()), static_cast<double>(count),
                        0.02 * count);
        }
    }
}

TEST(ExportStreams, Mp3FrameHeadersAreReadAsTheStandardSetsThem)
{
    struct Case
    {
        unsigned char header[4];
        std::size_t bytes; // 0: not a layer III frame
        int rate;
        int samples;
    };
    const Case cases[] = {
        {{0xFF, 0xF3, 0x70, 0xC0}, 182, 22050, 576},  // MPEG-2, 56 kbit/s, mono
        {{0xFF, 0xF3, 0x72, 0xC0}, 183, 22050, 576},  // the same with its padding byte
        {{0xFF, 0xFB, 0x90, 0x64}, 417, 44100, 1152}, // MPEG-1, 128 kbit/s, joint stereo
        {{0xFF, 0xE3, 0x80, 0xC0}, 417, 11025, 576},  // MPEG-2.5, 64 kbit/s
        {{0xFF, 0xFB, 0xF0, 0x00}, 0, 0, 0},          // bit rate index 15 is not allowed
        {{0xFF, 0xFB, 0x0C, 0x00}, 0, 0, 0},          // neither is rate index 3 (nor "free" bit rate)
        {{0xFF, 0xF5, 0x70, 0xC0}, 0, 0, 0},          // layer II
        {{0x49, 0x44, 0x33, 0x04}, 0, 0, 0},          // an ID3 tag
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const auto header = parseMp3FrameHeader(c.header, 4);
        ASSERT_EQ(header.has_value(), c.bytes != 0);
        if (!header)
            continue;
        EXPECT_EQ(header->bytes, c.bytes);
        EXPECT_EQ(header->sampleRate, c.rate);
        EXPECT_EQ(header->samples, c.samples);
    }
    // The Info frame is itself a frame of the stream's kind, so that decoders step over it.
    const auto like = mp3HeaderFor(kRate, true);
    ASSERT_TRUE(like);
    const std::string info = mp3InfoFrame(*like, {});
    std::vector<std::uint16_t> sizes;
    ASSERT_TRUE(splitMp3Frames(info, &sizes));
    EXPECT_EQ(sizes, std::vector<std::uint16_t>{static_cast<std::uint16_t>(info.size())});
    EXPECT_FALSE(splitMp3Frames(info.substr(0, info.size() - 1), &sizes));
    EXPECT_EQ(id3v2Tag({{"TIT2", ""}}), std::string());

    // A rate whose frames are not on the 576-sample grid is refused with the reason, writing nothing.
    QTemporaryDir dir;
    Mp3FileOutput output(44100, {}, 2);
    QString error;
    EXPECT_FALSE(output.open(dir.filePath(QStringLiteral("cd.mp3")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("44100"))) << error.toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
} // namespace narrix
