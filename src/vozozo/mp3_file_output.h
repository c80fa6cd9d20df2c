#pragma once

#include "vozozo/export_format.h"
#include "vozozo/export_output.h"
#include "vozozo/export_target.h"
#include "vozozo/mp3_chunk_encoder.h"
#include "vozozo/mp3_frames.h"
#include "vozozo/pcm_byte_samples.h"

#include <deque>
#include <future>
#include <optional>
#include <vector>

namespace narrix {

// An MP3 file encoded by LAME on several threads while the samples arrive: the samples are cut into
// stretches on the frames' grid, each stretch is encoded on a thread of its own (see encodeMp3Chunk)
// and the frames are written in order behind an ID3v2 tag and an Info frame, which is brought up to
// date at commit() when the file can be rewound. Decoders that honour the Info frame give back
// exactly the samples appended.
class Mp3FileOutput : public ExportOutput
{
public:
    // Up to `threads` stretches are encoded while the next one fills; more wait for the oldest.
    Mp3FileOutput(int sampleRate, ExportEncoding encoding, int threads);
    ~Mp3FileOutput() override;
    Mp3FileOutput(const Mp3FileOutput&) = delete;
    Mp3FileOutput& operator=(const Mp3FileOutput&) = delete;

    bool open(const QString& path, QString* error) override;
    bool append(const std::int16_t* samples, std::size_t count) override;
    bool appendPcmBytes(const char* bytes, std::size_t size) override;
    bool commit(QString* error) override;
    void abandon() override;

    std::uint64_t samplesWritten() const override { return samples_; }
    QString errorString() const override { return error_; }

private:
    bool startChunk(bool last);
    bool writeChunks(std::size_t leaveRunning);
    bool writeBytes(const std::string& bytes);
    bool failWith(const QString& reason);

    Mp3EncoderSettings settings_;
    ExportEncoding encoding_;
    std::size_t threads_;
    ExportTarget target_;
    std::optional<Mp3FrameHeader> header_;
    std::uint64_t infoFrameAt_ = 0;
    std::size_t infoFrameBytes_ = 0;
    std::vector<std::int16_t> pending_; // the next stretch, after its leading neighbours
    std::size_t pendingLead_ = 0;       // those neighbours' samples
    std::deque<std::future<Mp3Chunk>> running_;
    Mp3StreamSummary summary_;
    PcmByteSamples pcmBytes_;
    std::uint64_t samples_ = 0;
    QString shownPath_;
    QString error_;
    bool committed_ = false;
};

} // namespace narrix
