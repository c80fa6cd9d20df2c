#include "vozozo/wav_file_output.h"

#include "base/write_all.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

constexpr std::size_t kBufferBytes = 1 << 20;
constexpr std::uint32_t kUnknown = 0xFFFFFFFFU;

void put32(char* at, std::uint32_t value)
{
    qToLittleEndian(value, at);
}

void put64(char* at, std::uint64_t value)
{
    qToLittleEndian(value, at);
}

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

std::vector<char> wavFileHeader(int sampleRate, std::uint64_t dataBytes, std::uint64_t riffLimit,
                                bool unknownSize)
{
    std::vector<char> header(kWavFileHeaderSize, 0);
    char* h = header.data();
    const std::uint64_t riffBytes = kWavFileHeaderSize - 8 + dataBytes;
    const bool rf64 = !unknownSize && riffBytes > riffLimit;
    std::memcpy(h, rf64 ? "RF64" : "RIFF", 4);
    put32(h + 4, rf64 || unknownSize ? kUnknown : static_cast<std::uint32_t>(riffBytes));
    std::memcpy(h + 8, "WAVE", 4);
    // A JUNK chunk holds the place of the ds64 chunk that RF64 needs.
    std::memcpy(h + 12, rf64 ? "ds64" : "JUNK", 4);
    put32(h + 16, 28);
    if (rf64) {
        put64(h + 20, riffBytes);
        put64(h + 28, dataBytes);
        put64(h + 36, dataBytes / 2);
        put32(h + 44, 0); // no table
    }
    std::memcpy(h + 48, "fmt ", 4);
    put32(h + 52, 16);
    qToLittleEndian<std::uint16_t>(1, h + 56); // PCM
    qToLittleEndian<std::uint16_t>(1, h + 58); // mono
    put32(h + 60, static_cast<std::uint32_t>(sampleRate));
    put32(h + 64, static_cast<std::uint32_t>(sampleRate) * 2);
    qToLittleEndian<std::uint16_t>(2, h + 68);
    qToLittleEndian<std::uint16_t>(16, h + 70);
    std::memcpy(h + 72, "data", 4);
    put32(h + 76, rf64 || unknownSize ? kUnknown : static_cast<std::uint32_t>(dataBytes));
    return header;
}

WavFileOutput::WavFileOutput(int sampleRate, std::uint64_t riffLimit)
    : sampleRate_(sampleRate), riffLimit_(riffLimit)
{
    buffer_.reserve(kBufferBytes);
}

WavFileOutput::~WavFileOutput()
{
    if (!committed_)
        abandon();
    else
        closeExportTarget(target_);
}

bool WavFileOutput::fail(const QString& what, int code)
{
    error_ = QStringLiteral("%1: %2").arg(what, errnoText(code));
    return false;
}

bool WavFileOutput::open(const QString& path, QString* error)
{
    shownPath_ = path;
    if (const int code = openExportTarget(path, &target_); code != 0) {
        fail(path, code);
        if (error)
            *error = error_;
        return false;
    }
    if (!writeHeader(false)) {
        if (error)
            *error = error_;
        abandon();
        return false;
    }
    return true;
}

bool WavFileOutput::writeHeader(bool final)
{
    if (!final) {
        const auto header = wavFileHeader(sampleRate_, 0, riffLimit_, true);
        if (!writeAll(target_.fd, std::string_view(header.data(), header.size())))
            return fail(shownPath_, errno);
        return true;
    }
    // Outputs that cannot be rewound (pipes, character devices) keep the streaming header.
    const off_t end = ::lseek(target_.fd, 0, SEEK_CUR);
    const std::uint64_t written = kWavFileHeaderSize + dataBytes_;
    if (end < 0 || static_cast<std::uint64_t>(end) < written ||
        (::fcntl(target_.fd, F_GETFL) & O_APPEND) != 0)
        return replacesPath() ? fail(shownPath_, end < 0 ? errno : EIO) : true;
    const auto header = wavFileHeader(sampleRate_, dataBytes_, riffLimit_);
    const off_t start = end - static_cast<off_t>(written);
    if (::pwrite(target_.fd, header.data(), header.size(), start) != static_cast<ssize_t>(header.size()))
        return replacesPath() ? fail(shownPath_, errno) : true;
    return true;
}

bool WavFileOutput::flushBuffer()
{
    if (buffer_.empty())
        return true;
    const bool ok = writeAll(target_.fd, std::string_view(buffer_.data(), buffer_.size()));
    buffer_.clear();
    return ok || fail(shownPath_, errno);
}

bool WavFileOutput::append(const std::int16_t* samples, std::size_t count)
{
    if (target_.fd < 0 || !error_.isEmpty())
        return false;
    while (count > 0) {
        if (buffer_.size() + 2 > kBufferBytes && !flushBuffer())
            return false;
        const std::size_t take = std::min(count, (kBufferBytes - buffer_.size()) / 2);
        const std::size_t at = buffer_.size();
        buffer_.resize(at + take * 2);
        for (std::size_t i = 0; i < take; ++i)
            qToLittleEndian(samples[i], buffer_.data() + at + 2 * i);
        samples += take;
        count -= take;
        dataBytes_ += take * 2;
    }
    return true;
}

bool WavFileOutput::appendPcmBytes(const char* bytes, std::size_t size)
{
    if (target_.fd < 0 || !error_.isEmpty())
        return false;
    while (size > 0) {
        if (buffer_.size() == kBufferBytes && !flushBuffer())
            return false;
        const std::size_t take = std::min(size, kBufferBytes - buffer_.size());
        buffer_.insert(buffer_.end(), bytes, bytes + take);
        bytes += take;
        size -= take;
        dataBytes_ += take;
    }
    return true;
}

bool WavFileOutput::commit(QString* error)
{
    auto failed = [&] {
        if (error)
            *error = error_;
        abandon();
        return false;
    };
    if (target_.fd < 0 || !error_.isEmpty() || !flushBuffer() || !writeHeader(true))
        return failed();
    if (const int code = commitExportTarget(target_); code != 0)
        return fail(shownPath_, code), failed();
    committed_ = true;
    return true;
}

void WavFileOutput::abandon()
{
    abandonExportTarget(target_);
}

} // namespace narrix
