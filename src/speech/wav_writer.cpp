#include "speech/wav_writer.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace narrix {
namespace {

void putLE32(char* at, std::uint32_t value)
{
    qToLittleEndian(value, at);
}

void putLE16(char* at, std::uint16_t value)
{
    qToLittleEndian(value, at);
}

} // namespace

WavWriter::WavWriter(const QString& path, int sampleRate) : file_(path), sampleRate_(sampleRate)
{
    if (file_.open(QIODevice::ReadWrite | QIODevice::Truncate))
        writeHeader();
}

bool WavWriter::writeHeader()
{
    // Sizes above 4 GiB cannot be expressed; they stay at the maximum.
    const std::uint64_t dataBytes64 = samples_ * 2;
    const auto dataBytes =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(dataBytes64, 0xFFFFFFFFULL - 36));
    char header[44];
    std::memcpy(header, "RIFF", 4);
    putLE32(header + 4, 36 + dataBytes);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    putLE32(header + 16, 16);
    putLE16(header + 20, 1); // PCM
    putLE16(header + 22, 1); // mono
    putLE32(header + 24, static_cast<std::uint32_t>(sampleRate_));
    putLE32(header + 28, static_cast<std::uint32_t>(sampleRate_ * 2));
    putLE16(header + 32, 2);
    putLE16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    putLE32(header + 40, dataBytes);
    const qint64 end = file_.size();
    if (!file_.seek(0) || file_.write(header, sizeof header) != sizeof header)
        return false;
    return file_.seek(std::max<qint64>(end, sizeof header));
}

bool WavWriter::append(const std::int16_t* samples, std::size_t count)
{
    if (!file_.isOpen())
        return false;
    if (count == 0)
        return true;
    QByteArray bytes(static_cast<qsizetype>(count * 2), Qt::Uninitialized);
    for (std::size_t i = 0; i < count; ++i)
        qToLittleEndian(samples[i], bytes.data() + 2 * i);
    if (file_.write(bytes) != bytes.size())
        return false;
    samples_ += count;
    return writeHeader() && file_.flush();
}

std::shared_ptr<WavWriter> WavWriter::shared(const QString& path, int sampleRate)
{
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<WavWriter>> writers;
    std::lock_guard lock(mutex);
    if (auto existing = writers[path].lock())
        return existing;
    auto writer = std::make_shared<WavWriter>(path, sampleRate);
    writers[path] = writer;
    return writer;
}

} // namespace narrix
