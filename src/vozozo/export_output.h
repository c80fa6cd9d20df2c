#pragma once

#include <QString>
#include <cstdint>

namespace narrix {

// Where an export's 16-bit mono samples go, at the export rate, in the text's order: a WAV file or an
// encoded one. Nothing appears at the path until commit() succeeds (see ExportTarget).
class ExportOutput
{
public:
    virtual ~ExportOutput() = default;

    virtual bool open(const QString& path, QString* error) = 0;
    virtual bool append(const std::int16_t* samples, std::size_t count) = 0;
    // Appends samples already in 16-bit little-endian form; a sample may be split between calls.
    virtual bool appendPcmBytes(const char* bytes, std::size_t size) = 0;
    // Finishes the file, syncs it and puts it in place.
    virtual bool commit(QString* error) = 0;
    // Removes the temporary file (nothing else); safe to call more than once.
    virtual void abandon() = 0;

    // Samples appended so far, at the export rate.
    virtual std::uint64_t samplesWritten() const = 0;
    virtual QString errorString() const = 0;
};

} // namespace narrix
