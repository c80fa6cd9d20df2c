#include "vozozo/wav_file_output.h"

#include "base/atomic_file.h"
#include "base/write_all.h"
#include "vozozo/interrupt_cleanup.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
    else if (ownsFd_ && fd_ >= 0)
        ::close(fd_);
}

bool WavFileOutput::fail(const QString& what, int code)
{
    error_ = QStringLiteral("%1: %2").arg(what, errnoText(code));
    return false;
}

bool WavFileOutput::open(const QString& path, QString* error)
{
    shownPath_ = path;
    auto failed = [&](int code) {
        fail(path, code);
        if (error)
            *error = error_;
        return false;
    };
    if (path == QLatin1String("-")) {
        fd_ = STDOUT_FILENO;
        ownsFd_ = false;
    } else {
        const std::string local = QFile::encodeName(path).toStdString();
        struct stat info = {};
        const bool exists = ::stat(local.c_str(), &info) == 0;
        if (exists && S_ISDIR(info.st_mode))
            return failed(EISDIR);
        if (exists && !S_ISREG(info.st_mode)) {
            // A device or a named pipe is written into as it is; it is not ours to replace.
            fd_ = ::open(local.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            if (fd_ < 0)
                return failed(errno);
            ownsFd_ = true;
        } else {
            std::filesystem::path target;
            std::string temp;
            setInterruptCleanupFile(nullptr);
            fd_ = createReplacementFile(local, &target, &temp);
            if (fd_ < 0)
                return failed(errno);
            setInterruptCleanupFile(temp.c_str());
            ownsFd_ = true;
            tempPath_ = temp;
            targetPath_ = target.string();
            // The new file gets the old one's permissions, or those a newly created file would get.
            mode_t mode = 0;
            if (exists) {
                mode = info.st_mode & 07777;
            } else {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                mode = 0666 & ~mask;
            }
            ::fchmod(fd_, mode);
        }
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
        if (!writeAll(fd_, std::string_view(header.data(), header.size())))
            return fail(shownPath_, errno);
        return true;
    }
    // Outputs that cannot be rewound (pipes, character devices) keep the streaming header.
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    const std::uint64_t written = kWavFileHeaderSize + dataBytes_;
    if (end < 0 || static_cast<std::uint64_t>(end) < written || (::fcntl(fd_, F_GETFL) & O_APPEND) != 0)
        return replacesPath() ? fail(shownPath_, end < 0 ? errno : EIO) : true;
    const auto header = wavFileHeader(sampleRate_, dataBytes_, riffLimit_);
    const off_t start = end - static_cast<off_t>(written);
    if (::pwrite(fd_, header.data(), header.size(), start) != static_cast<ssize_t>(header.size()))
        return replacesPath() ? fail(shownPath_, errno) : true;
    return true;
}

bool WavFileOutput::flushBuffer()
{
    if (buffer_.empty())
        return true;
    const bool ok = writeAll(fd_, std::string_view(buffer_.data(), buffer_.size()));
    buffer_.clear();
    return ok || fail(shownPath_, errno);
}

bool WavFileOutput::append(const std::int16_t* samples, std::size_t count)
{
    if (fd_ < 0 || !error_.isEmpty())
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
    if (fd_ < 0 || !error_.isEmpty())
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
    if (fd_ < 0 || !error_.isEmpty() || !flushBuffer() || !writeHeader(true))
        return failed();
    if (!replacesPath()) {
        committed_ = true;
        return true;
    }
    if (::fsync(fd_) != 0)
        return fail(shownPath_, errno), failed();
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return fail(shownPath_, errno), failed();
    if (::rename(tempPath_.c_str(), targetPath_.c_str()) != 0)
        return fail(shownPath_, errno), failed();
    setInterruptCleanupFile(nullptr);
    tempPath_.clear();
    committed_ = true;
    return true;
}

void WavFileOutput::abandon()
{
    if (!tempPath_.empty()) {
        setInterruptCleanupFile(nullptr);
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
    if (ownsFd_ && fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace narrix
