#include "vozozo/parallel_export.h"

#include "vozozo/export_output.h"
#include "vozozo/export_pieces.h"
#include "vozozo/worker_process.h"

#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <deque>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

namespace narrix {
namespace {

// A job is whole pieces of at least this many bytes (one piece for espeak-ng).
constexpr std::size_t kJobBytes = 4000;
constexpr int kJobsPerWorker = 2;

struct Job
{
    std::size_t start = 0; // where the job's first piece starts in the text
    std::size_t end = 0;   // where the job ends in the text
    std::string audio;     // samples received before the job's turn to be written
    bool done = false;
};

struct Slot
{
    WorkerProcess process;
    std::string outgoing;
    std::size_t sent = 0;
    std::deque<std::uint64_t> jobs; // in the order the worker answers them
    char head[4] = {};
    int headGot = 0;
    std::uint32_t remaining = 0; // bytes of samples left in the current frame
};

class ParallelExport
{
public:
    ParallelExport(std::string_view text, const VoiceInfo& voice, ExportOutput& output,
                   const std::function<bool(double)>& progress, const PieceStartHandler& sentenceStarted)
        : text_(text), pieces_(text, voice.backend, sentenceStarted != nullptr), voice_(voice),
          output_(output), progress_(progress), sentenceStarted_(sentenceStarted),
          jobBytes_(sentenceStarted ? 1 : kJobBytes)
    {
    }

    ParallelExportResult run(int workers, const QString& program, const Prosody& prosody)
    {
        slots_.resize(static_cast<std::size_t>(workers));
        for (Slot& slot : slots_) {
            QString error;
            slot.process = startWorkerProcess(program, voice_, prosody, &error);
            if (slot.process.pid < 0)
                return finish(error);
        }
        std::vector<pollfd> polls(slots_.size());
        while (!textDone_ || !jobs_.empty()) {
            handOutJobs(workers);
            for (std::size_t i = 0; i < slots_.size(); ++i)
                polls[i] = {
                    slots_[i].process.socket,
                    static_cast<short>(POLLIN | (slots_[i].sent < slots_[i].outgoing.size() ? POLLOUT : 0)),
                    0};
            const int ready = ::poll(polls.data(), polls.size(), 100);
            if (ready < 0 && errno != EINTR)
                return finish(QStringLiteral("cannot wait for the synthesis workers: %1")
                                  .arg(QString::fromLocal8Bit(std::strerror(errno))));
            if (ready == 0 && progress_ && !progress_(fraction())) {
                result_.cancelled = true;
                return finish({});
            }
            for (std::size_t i = 0; ready > 0 && i < slots_.size(); ++i) {
                if ((polls[i].revents & POLLOUT) != 0 && !send(slots_[i]))
                    return finish(QStringLiteral("a synthesis worker stopped unexpectedly"));
                if ((polls[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !receive(slots_[i]))
                    return finish(error_);
            }
            if (!writeFinishedJobs())
                return finish(error_);
            if (result_.cancelled)
                return finish({});
        }
        result_.ok = true;
        return finish({});
    }

private:
    double fraction() const
    {
        return text_.empty() ? 1.0 : static_cast<double>(written_) / static_cast<double>(text_.size());
    }

    void handOutJobs(int workers)
    {
        for (Slot& slot : slots_) {
            while (!textDone_ && slot.jobs.size() < kJobsPerWorker &&
                   jobs_.size() < static_cast<std::size_t>(workers * (kJobsPerWorker + 1))) {
                std::vector<SpeechPieces::Piece> list;
                std::size_t bytes = 0;
                while (bytes < jobBytes_) {
                    const SpeechPieces::Piece piece = pieces_.next();
                    if (piece.start == piece.end) {
                        textDone_ = true;
                        break;
                    }
                    list.push_back(piece);
                    bytes += piece.end - piece.start;
                }
                if (list.empty())
                    break;
                if (slot.sent == slot.outgoing.size()) {
                    slot.outgoing.clear();
                    slot.sent = 0;
                }
                appendWorkerJobCount(slot.outgoing, static_cast<std::uint32_t>(list.size()));
                for (const auto& piece : list)
                    appendWorkerJobPiece(slot.outgoing, text_.substr(piece.start, piece.end - piece.start));
                slot.jobs.push_back(nextJob_++);
                jobs_.push_back({list.front().start, list.back().end, {}, false});
                // A job with none before it waiting is the next to be written.
                if (jobs_.size() == 1)
                    jobStarts(jobs_.front());
            }
        }
    }

    bool send(Slot& slot)
    {
        while (slot.sent < slot.outgoing.size()) {
            const ssize_t sent = ::send(slot.process.socket, slot.outgoing.data() + slot.sent,
                                        slot.outgoing.size() - slot.sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0)
                return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
            slot.sent += static_cast<std::size_t>(sent);
        }
        return true;
    }

    bool receive(Slot& slot)
    {
        // At most a few reads per turn, so that every worker is served.
        for (int turn = 0; turn < 4; ++turn) {
            const ssize_t got = ::recv(slot.process.socket, buffer_.data(), buffer_.size(), MSG_DONTWAIT);
            if (got < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                    return true;
                error_ = QStringLiteral("a synthesis worker stopped unexpectedly");
                return false;
            }
            if (got == 0) {
                error_ = QStringLiteral("a synthesis worker stopped unexpectedly");
                return false;
            }
            if (!consume(slot, buffer_.data(), static_cast<std::size_t>(got)))
                return false;
        }
        return true;
    }

    bool consume(Slot& slot, const char* data, std::size_t size)
    {
        while (size > 0) {
            if (slot.remaining > 0) {
                const std::size_t take = std::min<std::size_t>(slot.remaining, size);
                if (!deliver(slot.jobs.front(), data, take))
                    return false;
                data += take;
                size -= take;
                slot.remaining -= static_cast<std::uint32_t>(take);
                continue;
            }
            const std::size_t take = std::min<std::size_t>(4 - static_cast<std::size_t>(slot.headGot), size);
            std::memcpy(slot.head + slot.headGot, data, take);
            slot.headGot += static_cast<int>(take);
            data += take;
            size -= take;
            if (slot.headGot < 4)
                continue;
            slot.headGot = 0;
            const auto code = qFromLittleEndian<std::uint32_t>(slot.head);
            if (slot.jobs.empty()) {
                error_ = QStringLiteral("a synthesis worker answered what it was not asked");
                return false;
            }
            if (code == kWorkerFailed) {
                error_ = QStringLiteral("the voice %1 could not speak the text").arg(voice_.name);
                return false;
            }
            if (code == 0) {
                jobs_[slot.jobs.front() - writeHead_].done = true;
                slot.jobs.pop_front();
            } else {
                slot.remaining = code;
            }
        }
        return true;
    }

    bool deliver(std::uint64_t job, const char* data, std::size_t size)
    {
        if (job != writeHead_) {
            jobs_[job - writeHead_].audio.append(data, size);
            return true;
        }
        if (output_.appendPcmBytes(data, size))
            return true;
        error_ = output_.errorString();
        return false;
    }

    bool writeFinishedJobs()
    {
        while (!jobs_.empty() && jobs_.front().done) {
            written_ = jobs_.front().end;
            jobs_.pop_front();
            ++writeHead_;
            if (!jobs_.empty())
                jobStarts(jobs_.front());
            if (!jobs_.empty() && !jobs_.front().audio.empty()) {
                std::string audio = std::move(jobs_.front().audio);
                jobs_.front().audio = {};
                if (!output_.appendPcmBytes(audio.data(), audio.size())) {
                    error_ = output_.errorString();
                    return false;
                }
            }
            if (progress_ && !progress_(fraction())) {
                result_.cancelled = true;
                return true;
            }
        }
        return true;
    }

    void jobStarts(const Job& job)
    {
        if (sentenceStarted_)
            sentenceStarted_(job.start, job.end, output_.samplesWritten());
    }

    ParallelExportResult finish(const QString& error)
    {
        result_.error = error;
        if (!error.isEmpty())
            result_.ok = false;
        for (Slot& slot : slots_)
            stopWorkerProcess(slot.process, !result_.ok);
        return result_;
    }

    std::string_view text_;
    SpeechPieces pieces_;
    const VoiceInfo& voice_;
    ExportOutput& output_;
    const std::function<bool(double)>& progress_;
    const PieceStartHandler& sentenceStarted_;
    std::size_t jobBytes_;
    std::vector<Slot> slots_;
    std::deque<Job> jobs_; // jobs_[0] is job number writeHead_
    std::uint64_t writeHead_ = 0;
    std::uint64_t nextJob_ = 0;
    bool textDone_ = false;
    std::size_t written_ = 0;
    std::vector<char> buffer_ = std::vector<char>(256 * 1024);
    QString error_;
    ParallelExportResult result_;
};

} // namespace

ParallelExportResult exportOnWorkerProcesses(std::string_view text, const VoiceInfo& voice,
                                             const Prosody& prosody, int workers, const QString& program,
                                             ExportOutput& output,
                                             const std::function<bool(double)>& progress,
                                             const PieceStartHandler& sentenceStarted)
{
    ParallelExport exporter(text, voice, output, progress, sentenceStarted);
    return exporter.run(workers, program, prosody);
}

} // namespace narrix
