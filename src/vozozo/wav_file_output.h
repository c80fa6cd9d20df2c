#pragma once

#include "vozozo/export_output.h"
#include "vozozo/export_target.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace narrix {

// Where an export's WAV goes, written so that nothing but a finished file ever appears at the path
// (see ExportTarget): until commit() an old file at the path stays as it was, and a failure, a cancel
// or a signal removes only the temporary file; devices, named pipes and "-" are written straight into.
// Up to `riffLimit` bytes of RIFF content the header is a plain 44-byte-compatible WAVE header (with a
// JUNK chunk reserving room); beyond it the file becomes RF64 with a ds64 chunk giving the true sizes.
class WavFileOutput : public ExportOutput
{
public:
    static constexpr std::uint64_t kRiffLimit = 0xFFFFFFFFULL;

    explicit WavFileOutput(int sampleRate, std::uint64_t riffLimit = kRiffLimit);
    ~WavFileOutput(); // abandons an output that was not committed
    WavFileOutput(const WavFileOutput&) = delete;
    WavFileOutput& operator=(const WavFileOutput&) = delete;

    bool open(const QString& path, QString* error) override;
    bool append(const std::int16_t* samples, std::size_t count) override;
    bool appendPcmBytes(const char* bytes, std::size_t size) override;
    // Brings the header up to date, syncs and puts the file in place.
    bool commit(QString* error) override;
    void abandon() override;

    std::uint64_t samplesWritten() const override { return dataBytes_ / 2; }
    QString errorString() const override { return error_; }
    // True while writing into a temporary file that replaces the path at commit().
    bool replacesPath() const { return target_.replacesPath(); }

private:
    bool flushBuffer();
    bool writeHeader(bool final);
    bool fail(const QString& what, int code);

    int sampleRate_;
    std::uint64_t riffLimit_;
    ExportTarget target_;
    QString shownPath_;
    QString error_;
    std::vector<char> buffer_;
    std::uint64_t dataBytes_ = 0;
    bool committed_ = false;
};

// The header of a 16-bit mono PCM WAVE file holding `dataBytes` bytes of samples: RIFF with a JUNK
// chunk while the RIFF size fits `riffLimit`, RF64 with a ds64 chunk above it; `unknownSize` writes
// the streaming form (sizes 0xFFFFFFFF) for outputs that cannot be rewound.
std::vector<char> wavFileHeader(int sampleRate, std::uint64_t dataBytes, std::uint64_t riffLimit,
                                bool unknownSize = false);

constexpr std::size_t kWavFileHeaderSize = 80;

} // namespace narrix
