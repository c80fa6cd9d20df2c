#pragma once

#include "vozozo/export_format.h"
#include "vozozo/export_output.h"
#include "vozozo/export_target.h"
#include "vozozo/pcm_byte_samples.h"

#include <memory>
#include <vector>

struct sf_private_tag; // libsndfile's SNDFILE

namespace narrix {

class Resampler;

// An Ogg Vorbis, Opus or FLAC file encoded by libsndfile from the export's samples, with the
// encoding's tags, written through an ExportTarget as the WAV output is. Opus takes no 22050 Hz
// audio: its samples are resampled to 24000 Hz on the way.
class EncodedFileOutput : public ExportOutput
{
public:
    EncodedFileOutput(int sampleRate, ExportEncoding encoding);
    ~EncodedFileOutput() override;
    EncodedFileOutput(const EncodedFileOutput&) = delete;
    EncodedFileOutput& operator=(const EncodedFileOutput&) = delete;

    bool open(const QString& path, QString* error) override;
    bool append(const std::int16_t* samples, std::size_t count) override;
    bool appendPcmBytes(const char* bytes, std::size_t size) override;
    bool commit(QString* error) override;
    void abandon() override;

    std::uint64_t samplesWritten() const override { return samples_; }
    QString errorString() const override { return error_; }

    // Where libsndfile's writes into a replacement file go, and the errno of the first that failed.
    struct Io
    {
        int fd = -1;
        int failure = 0;
    };

private:
    bool encodePending();
    bool failWith(const QString& reason);

    int sampleRate_;
    ExportEncoding encoding_;
    ExportTarget target_;
    Io io_;
    sf_private_tag* file_ = nullptr;
    std::unique_ptr<Resampler> resampler_;
    std::vector<std::int16_t> pending_;
    std::vector<std::int16_t> resampled_;
    PcmByteSamples pcmBytes_;
    std::uint64_t samples_ = 0;
    QString shownPath_;
    QString error_;
    bool committed_ = false;
};

// The output for an encoding: a WavFileOutput for WAV, an Mp3FileOutput encoding on one thread per
// processor for MP3, else an EncodedFileOutput.
std::unique_ptr<ExportOutput> makeExportOutput(int sampleRate, const ExportEncoding& encoding,
                                               std::uint64_t riffLimit);

} // namespace narrix
