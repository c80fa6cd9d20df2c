#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>

namespace narrix {

// Writes 16-bit mono PCM as a RIFF WAVE file. The header's sizes are brought up to date after every
// append, so the file is a valid WAV file whenever a reader looks at it.
class WavWriter
{
public:
    WavWriter(const QString& path, int sampleRate);
    bool isOpen() const { return file_.isOpen(); }
    QString errorString() const { return file_.errorString(); }
    bool append(const std::int16_t* samples, std::size_t count);
    std::uint64_t samplesWritten() const { return samples_; }

    // One writer per path in the process, so several engines can share a NARRIX_AUDIO=wav:PATH sink.
    static std::shared_ptr<WavWriter> shared(const QString& path, int sampleRate);

private:
    bool writeHeader();

    QFile file_;
    int sampleRate_;
    std::uint64_t samples_ = 0;
};

} // namespace narrix
