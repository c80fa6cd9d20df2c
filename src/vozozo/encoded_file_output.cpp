#include "vozozo/encoded_file_output.h"

#include "base/write_all.h"
#include "speech/resampler.h"
#include "vozozo/mp3_file_output.h"
#include "vozozo/speech_export.h"
#include "vozozo/wav_file_output.h"

#include <cerrno>
#include <cstring>
#include <sndfile.h>

#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

constexpr std::size_t kEncodeBlock = 1 << 15; // samples handed to the encoder at a time
constexpr int kOpusRate = 24000;

int sndfileFormat(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Mp3:
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    case ExportFormat::OggVorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case ExportFormat::Opus:
        return SF_FORMAT_OGG | SF_FORMAT_OPUS;
    case ExportFormat::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case ExportFormat::Wav:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

// libsndfile's file operations on the target's descriptor, so that a write that fails (a full disk)
// is seen: libsndfile itself only logs a short write of encoded data.
sf_count_t fileLength(void* data)
{
    struct stat info = {};
    return ::fstat(static_cast<EncodedFileOutput::Io*>(data)->fd, &info) == 0 ? info.st_size : -1;
}

sf_count_t seekTo(sf_count_t offset, int whence, void* data)
{
    return ::lseek(static_cast<EncodedFileOutput::Io*>(data)->fd, offset, whence);
}

sf_count_t readFrom(void* into, sf_count_t count, void* data)
{
    const ssize_t got =
        ::read(static_cast<EncodedFileOutput::Io*>(data)->fd, into, static_cast<std::size_t>(count));
    return got < 0 ? 0 : got;
}

sf_count_t writeTo(const void* bytes, sf_count_t count, void* data)
{
    auto* io = static_cast<EncodedFileOutput::Io*>(data);
    if (io->failure != 0)
        return 0;
    if (!writeAll(io->fd,
                  std::string_view(static_cast<const char*>(bytes), static_cast<std::size_t>(count)))) {
        io->failure = errno != 0 ? errno : EIO;
        return 0;
    }
    return count;
}

sf_count_t positionOf(void* data)
{
    return ::lseek(static_cast<EncodedFileOutput::Io*>(data)->fd, 0, SEEK_CUR);
}

} // namespace

EncodedFileOutput::EncodedFileOutput(int sampleRate, ExportEncoding encoding)
    : sampleRate_(sampleRate), encoding_(std::move(encoding))
{
    pending_.reserve(kEncodeBlock);
}

EncodedFileOutput::~EncodedFileOutput()
{
    if (!committed_)
        abandon();
    else
        closeExportTarget(target_);
}

bool EncodedFileOutput::failWith(const QString& reason)
{
    if (error_.isEmpty())
        error_ = QStringLiteral("%1: %2").arg(shownPath_, reason);
    return false;
}

bool EncodedFileOutput::open(const QString& path, QString* error)
{
    shownPath_ = path;
    auto failed = [&](const QString& reason) {
        failWith(reason);
        if (error)
            *error = error_;
        abandon();
        return false;
    };
    if (const int code = openExportTarget(path, &target_); code != 0)
        return failed(QString::fromLocal8Bit(std::strerror(code)));
    SF_INFO info = {};
    info.channels = 1;
    info.samplerate = encoding_.format == ExportFormat::Opus ? kOpusRate : sampleRate_;
    info.format = sndfileFormat(encoding_.format);
    if (sampleRate_ != info.samplerate)
        resampler_ = std::make_unique<Resampler>(sampleRate_, info.samplerate);
    if (target_.replacesPath()) {
        io_.fd = target_.fd;
        SF_VIRTUAL_IO calls = {fileLength, seekTo, readFrom, writeTo, positionOf};
        file_ = sf_open_virtual(&calls, SFM_WRITE, &info, &io_);
    } else {
        // A pipe or device: libsndfile sees for itself that it cannot seek back.
        file_ = sf_open_fd(target_.fd, SFM_WRITE, &info, SF_FALSE);
    }
    if (!file_)
        return failed(io_.failure != 0 ? QString::fromLocal8Bit(std::strerror(io_.failure))
                                       : QString::fromUtf8(sf_strerror(nullptr)));
    // Tags and the compression level count only when set before the first samples.
    const auto tag = [&](int kind, const QString& value) {
        if (!value.trimmed().isEmpty())
            sf_set_string(file_, kind, value.trimmed().toUtf8().constData());
    };
    tag(SF_STR_TITLE, encoding_.title);
    tag(SF_STR_ARTIST, encoding_.artist);
    tag(SF_STR_ALBUM, encoding_.album);
    if (encoding_.track > 0)
        tag(SF_STR_TRACKNUMBER, QString::number(encoding_.track));
    tag(SF_STR_SOFTWARE, QStringLiteral("vozozo"));
    // Variable bit rate suits speech, whose pauses need few bits, and LAME encodes it faster.
    if (encoding_.format == ExportFormat::Mp3) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file_, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    }
    if (encoding_.quality >= 0 && encoding_.format != ExportFormat::Flac) {
        double level = 1.0 - static_cast<double>(encoding_.quality) / kExportQualityMaximum;
        sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    return true;
}

bool EncodedFileOutput::encodePending()
{
    if (pending_.empty())
        return true;
    const std::vector<std::int16_t>* block = &pending_;
    if (resampler_) {
        resampled_.clear();
        resampler_->process(pending_.data(), pending_.size(), resampled_);
        block = &resampled_;
    }
    const auto count = static_cast<sf_count_t>(block->size());
    const sf_count_t written = sf_write_short(file_, block->data(), count);
    pending_.clear();
    if (io_.failure != 0)
        return failWith(QString::fromLocal8Bit(std::strerror(io_.failure)));
    if (written != count)
        return failWith(QString::fromUtf8(sf_strerror(file_)));
    return true;
}

bool EncodedFileOutput::append(const std::int16_t* samples, std::size_t count)
{
    if (!file_ || !error_.isEmpty())
        return false;
    while (count > 0) {
        const std::size_t take = std::min(count, kEncodeBlock - pending_.size());
        pending_.insert(pending_.end(), samples, samples + take);
        samples += take;
        count -= take;
        samples_ += take;
        if (pending_.size() == kEncodeBlock && !encodePending())
            return false;
    }
    return true;
}

bool EncodedFileOutput::appendPcmBytes(const char* bytes, std::size_t size)
{
    if (!file_ || !error_.isEmpty())
        return false;
    return pcmBytes_.feed(bytes, size, [this](const std::int16_t* samples, std::size_t count) {
        return append(samples, count);
    });
}

bool EncodedFileOutput::commit(QString* error)
{
    auto failed = [&] {
        if (error)
            *error = error_;
        abandon();
        return false;
    };
    if (!file_ || !error_.isEmpty() || !encodePending())
        return failed();
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (io_.failure != 0)
        return failWith(QString::fromLocal8Bit(std::strerror(io_.failure))), failed();
    if (closed != 0)
        return failWith(QString::fromUtf8(sf_error_number(closed))), failed();
    if (const int code = commitExportTarget(target_); code != 0)
        return failWith(QString::fromLocal8Bit(std::strerror(code))), failed();
    committed_ = true;
    return true;
}

void EncodedFileOutput::abandon()
{
    if (file_) {
        sf_close(file_);
        file_ = nullptr;
    }
    abandonExportTarget(target_);
}

std::unique_ptr<ExportOutput> makeExportOutput(int sampleRate, const ExportEncoding& encoding,
                                               std::uint64_t riffLimit)
{
    if (encoding.format == ExportFormat::Wav)
        return std::make_unique<WavFileOutput>(sampleRate, riffLimit);
    if (encoding.format == ExportFormat::Mp3)
        return std::make_unique<Mp3FileOutput>(sampleRate, encoding, defaultExportWorkers());
    return std::make_unique<EncodedFileOutput>(sampleRate, encoding);
}

} // namespace narrix
