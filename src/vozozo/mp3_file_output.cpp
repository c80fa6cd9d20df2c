#include "vozozo/mp3_file_output.h"

#include "base/write_all.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <unistd.h>

namespace narrix {
namespace {

// Frames of one stretch: about 13 seconds at 22050 Hz, so that even a short export is shared out.
constexpr std::size_t kChunkFrames = 512;
constexpr std::size_t kChunkSamples = kChunkFrames * kMp3ChunkGrid;

} // namespace

Mp3FileOutput::Mp3FileOutput(int sampleRate, ExportEncoding encoding, int threads)
    : encoding_(std::move(encoding)), threads_(static_cast<std::size_t>(std::max(1, threads)))
{
    settings_.sampleRate = sampleRate;
    // The quality option runs from 0 (smallest file) to 10 (best sound); LAME's scale the other way.
    if (encoding_.quality >= 0)
        settings_.vbrQuality =
            std::min(9.999, static_cast<double>(kExportQualityMaximum - encoding_.quality));
    summary_.vbrQuality = static_cast<int>(settings_.vbrQuality);
    pending_.reserve(kChunkSamples + 2 * kMp3ChunkOverlap);
}

Mp3FileOutput::~Mp3FileOutput()
{
    if (!committed_)
        abandon();
    else
        closeExportTarget(target_);
}

bool Mp3FileOutput::failWith(const QString& reason)
{
    if (error_.isEmpty())
        error_ = QStringLiteral("%1: %2").arg(shownPath_, reason);
    return false;
}

bool Mp3FileOutput::writeBytes(const std::string& bytes)
{
    if (writeAll(target_.fd, bytes))
        return true;
    return failWith(QString::fromLocal8Bit(std::strerror(errno)));
}

bool Mp3FileOutput::open(const QString& path, QString* error)
{
    shownPath_ = path;
    auto failed = [&](const QString& reason) {
        failWith(reason);
        if (error)
            *error = error_;
        abandon();
        return false;
    };
    header_ = mp3HeaderFor(settings_.sampleRate, true);
    summary_.encoderDelay = mp3EncoderDelay(settings_);
    if (!header_ || header_->samples != static_cast<int>(kMp3ChunkGrid) || summary_.encoderDelay < 0)
        return failed(
            QStringLiteral("MP3 export takes audio at 8 to 24 kHz, not %1 Hz").arg(settings_.sampleRate));
    if (const int code = openExportTarget(path, &target_); code != 0)
        return failed(QString::fromLocal8Bit(std::strerror(code)));
    const auto text = [](const QString& value) { return value.trimmed().toStdString(); };
    const std::string tag =
        id3v2Tag({{"TIT2", text(encoding_.title)},
                  {"TPE1", text(encoding_.artist)},
                  {"TALB", text(encoding_.album)},
                  {"TRCK", encoding_.track > 0 ? std::to_string(encoding_.track) : std::string()},
                  {"TSSE", "vozozo"}});
    if (!writeBytes(tag))
        return failed({});
    // The Info frame is written now and filled in at the end; a pipe, which cannot be rewound, gets none.
    if (target_.replacesPath()) {
        const std::string info = mp3InfoFrame(*header_, summary_);
        infoFrameAt_ = tag.size();
        infoFrameBytes_ = info.size();
        if (!writeBytes(info))
            return failed({});
    }
    return true;
}

bool Mp3FileOutput::startChunk(bool last)
{
    const std::size_t skip = pendingLead_ / kMp3ChunkGrid;
    const std::size_t keep = last ? 0 : kChunkFrames;
    std::vector<std::int16_t> samples = pending_;
    running_.push_back(
        std::async(std::launch::async, [settings = settings_, samples = std::move(samples), skip, keep] {
            return encodeMp3Chunk(settings, samples, skip, keep);
        }));
    if (!last) {
        // The next stretch starts where this one ends, after the overlap that leads it.
        const std::size_t next = pendingLead_ + kChunkSamples - kMp3ChunkOverlap;
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(next));
        pendingLead_ = kMp3ChunkOverlap;
    }
    return writeChunks(threads_);
}

bool Mp3FileOutput::writeChunks(std::size_t leaveRunning)
{
    while (!running_.empty()) {
        std::future<Mp3Chunk>& front = running_.front();
        if (running_.size() <= leaveRunning &&
            front.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return true;
        Mp3Chunk chunk = front.get();
        running_.pop_front();
        if (!chunk.error.isEmpty())
            return failWith(chunk.error);
        if (!writeBytes(chunk.frames))
            return false;
        summary_.frames += static_cast<std::uint32_t>(chunk.frameSizes.size());
        summary_.audioBytes += chunk.frames.size();
        summary_.audioCrc = mp3Crc16(summary_.audioCrc, chunk.frames.data(), chunk.frames.size());
        summary_.frameSizes.insert(summary_.frameSizes.end(), chunk.frameSizes.begin(),
                                   chunk.frameSizes.end());
    }
    return true;
}

bool Mp3FileOutput::append(const std::int16_t* samples, std::size_t count)
{
    if (target_.fd < 0 || !error_.isEmpty())
        return false;
    while (count > 0) {
        const std::size_t full = pendingLead_ + kChunkSamples + kMp3ChunkOverlap;
        const std::size_t take = std::min(count, full - pending_.size());
        pending_.insert(pending_.end(), samples, samples + take);
        samples += take;
        count -= take;
        samples_ += take;
        if (pending_.size() == full && !startChunk(false))
            return false;
    }
    return true;
}

bool Mp3FileOutput::appendPcmBytes(const char* bytes, std::size_t size)
{
    if (target_.fd < 0 || !error_.isEmpty())
        return false;
    return pcmBytes_.feed(bytes, size, [this](const std::int16_t* samples, std::size_t count) {
        return append(samples, count);
    });
}

bool Mp3FileOutput::commit(QString* error)
{
    auto failed = [&] {
        if (error)
            *error = error_;
        abandon();
        return false;
    };
    if (target_.fd < 0 || !error_.isEmpty() || !startChunk(true) || !writeChunks(0))
        return failed();
    if (infoFrameBytes_ > 0) {
        const std::uint64_t decoded = static_cast<std::uint64_t>(summary_.frames) * kMp3ChunkGrid;
        summary_.padding =
            static_cast<int>(decoded - samples_ - static_cast<std::uint64_t>(summary_.encoderDelay));
        const std::string info = mp3InfoFrame(*header_, summary_);
        if (info.size() != infoFrameBytes_ ||
            ::pwrite(target_.fd, info.data(), info.size(), static_cast<off_t>(infoFrameAt_)) !=
                static_cast<ssize_t>(info.size()))
            return failWith(QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO))), failed();
    }
    if (const int code = commitExportTarget(target_); code != 0)
        return failWith(QString::fromLocal8Bit(std::strerror(code))), failed();
    committed_ = true;
    return true;
}

void Mp3FileOutput::abandon()
{
    for (std::future<Mp3Chunk>& chunk : running_)
        chunk.wait();
    running_.clear();
    abandonExportTarget(target_);
}

} // namespace narrix
