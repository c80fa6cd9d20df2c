#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace narrix {

// Where an export's WAV goes, written so that nothing but a finished file ever appears at the path:
// - a regular file or a new name: the audio goes to a temporary file beside it (".NAME.XXXXXX"), which
//   replaces the path only when commit() succeeds; a symbolic link is kept and the file it names is
//   replaced. Until then an old file at the path stays as it was, and a failure, a cancel or a signal
//   removes only the temporary file.
// - an existing file that is not a regular file (a device, a named pipe) and "-" (standard output):
//   written straight into, never created, truncated or removed.
// Up to `riffLimit` bytes of RIFF content the header is a plain 44-byte-compatible WAVE header (with a
// JUNK chunk reserving room); beyond it the file becomes RF64 with a ds64 chunk giving the true sizes.
class WavFileOutput
{
public:
    static constexpr std::uint64_t kRiffLimit = 0xFFFFFFFFULL;

    explicit WavFileOutput(int sampleRate, std::uint64_t riffLimit = kRiffLimit);
    ~WavFileOutput(); // abandons an output that was not committed
    WavFileOutput(const WavFileOutput&) = delete;
    WavFileOutput& operator=(const WavFileOutput&) = delete;

    bool open(const QString& path, QString* error);
    bool append(const std::int16_t* samples, std::size_t count);
    // Appends samples already in 16-bit little-endian form; a sample may be split between calls.
    bool appendPcmBytes(const char* bytes, std::size_t size);
    // Brings the header up to date, syncs and puts the file in place.
    bool commit(QString* error);
    // Removes the temporary file (nothing else); safe to call more than once.
    void abandon();

    std::uint64_t samplesWritten() const { return dataBytes_ / 2; }
    QString errorString() const { return error_; }
    // True while writing into a temporary file that replaces the path at commit().
    bool replacesPath() const { return !tempPath_.empty(); }

private:
    bool flushBuffer();
    bool writeHeader(bool final);
    bool fail(const QString& what, int code);

    int sampleRate_;
    std::uint64_t riffLimit_;
    int fd_ = -1;
    bool ownsFd_ = false;
    std::string targetPath_; // the file the temporary file is renamed to
    std::string tempPath_;
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
