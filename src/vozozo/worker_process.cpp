#include "vozozo/worker_process.h"

#include "base/write_all.h"
#include "speech/synthesis_worker.h"
#include "vozozo/export_pieces.h"
#include "vozozo/interrupt_cleanup.h"
#include "vozozo/vozozo_voices.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace narrix {
namespace {

constexpr std::size_t kFrameBytes = 256 * 1024;

bool readExactly(int fd, char* into, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(fd, into, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool readCount(int fd, std::uint32_t* value)
{
    char bytes[4];
    if (!readExactly(fd, bytes, 4))
        return false;
    *value = qFromLittleEndian<std::uint32_t>(bytes);
    return true;
}

void putCount(std::string& into, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    into.append(bytes, 4);
}

// Collects samples into frames of kFrameBytes and sends them.
class FrameWriter
{
public:
    bool add(const std::vector<std::int16_t>& samples)
    {
        const std::size_t at = pending_.size();
        pending_.resize(at + samples.size() * 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            qToLittleEndian(samples[i], pending_.data() + at + 2 * i);
        return pending_.size() < kFrameBytes || flush();
    }
    bool flush()
    {
        if (pending_.empty())
            return true;
        std::string frame;
        putCount(frame, static_cast<std::uint32_t>(pending_.size()));
        frame += pending_;
        pending_.clear();
        return writeAll(STDOUT_FILENO, frame);
    }
    bool end(std::uint32_t code)
    {
        std::string frame;
        putCount(frame, code);
        return flush() && writeAll(STDOUT_FILENO, frame);
    }

private:
    std::string pending_;
};

} // namespace

void appendWorkerJobCount(std::string& job, std::uint32_t pieces)
{
    putCount(job, pieces);
}

void appendWorkerJobPiece(std::string& job, std::string_view piece)
{
    putCount(job, static_cast<std::uint32_t>(piece.size()));
    job.append(piece);
}

int runSynthesisWorkerProcess(const QStringList& arguments)
{
    if (arguments.size() != 6) {
        std::fprintf(stderr, "vozozo: %s needs VOICE SPEED PITCH VOLUME RANGE GAP\n", kWorkerOption);
        return 2;
    }
    const VoiceInfo* voice = findVozozoVoice(arguments[0]);
    if (!voice) {
        std::fprintf(stderr, "vozozo: unknown voice \"%s\"\n", arguments[0].toUtf8().constData());
        return 1;
    }
    Prosody prosody;
    prosody.speed = arguments[1].toInt();
    prosody.tuning.pitch = arguments[2].toInt();
    prosody.tuning.volume = arguments[3].toInt();
    prosody.tuning.pitchRange = arguments[4].toInt();
    prosody.tuning.wordGap = arguments[5].toInt();

    SynthesisWorker& worker = SynthesisWorker::instance();
    FrameWriter out;
    bool ok = true;
    worker.runAndWait([&] {
        std::uint32_t pieces = 0;
        std::string piece;
        while (ok && readCount(STDIN_FILENO, &pieces)) {
            bool spoken = true;
            for (std::uint32_t i = 0; ok && i < pieces; ++i) {
                std::uint32_t size = 0;
                if (!readCount(STDIN_FILENO, &size)) {
                    ok = false;
                    break;
                }
                piece.resize(size);
                if (!readExactly(STDIN_FILENO, piece.data(), size)) {
                    ok = false;
                    break;
                }
                bool sent = true;
                if (spoken && !synthesizeExportPiece(worker, *voice, piece, prosody,
                                                     [&](const std::vector<std::int16_t>& samples) {
                                                         return sent = out.add(samples);
                                                     })) {
                    ok = sent;
                    spoken = false;
                }
            }
            if (ok)
                ok = out.end(spoken ? 0 : kWorkerFailed);
        }
    });
    return ok ? 0 : 1;
}

WorkerProcess startWorkerProcess(const QString& program, const VoiceInfo& voice, const Prosody& prosody,
                                 QString* error)
{
    WorkerProcess worker;
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
        if (error)
            *error = QStringLiteral("cannot start a synthesis worker: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return worker;
    }
    // Everything the child needs is prepared before fork: only async-signal-safe calls follow it.
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> texts = {path,
                                     kWorkerOption,
                                     voice.name.toUtf8(),
                                     QByteArray::number(prosody.speed),
                                     QByteArray::number(prosody.tuning.pitch),
                                     QByteArray::number(prosody.tuning.volume),
                                     QByteArray::number(prosody.tuning.pitchRange),
                                     QByteArray::number(prosody.tuning.wordGap)};
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::dup2(sockets[1], STDIN_FILENO) < 0 || ::dup2(sockets[1], STDOUT_FILENO) < 0)
            ::_exit(127);
        ::execv(path.constData(), argv.data());
        ::_exit(127);
    }
    const int code = errno;
    ::close(sockets[1]);
    if (pid < 0) {
        ::close(sockets[0]);
        if (error)
            *error = QStringLiteral("cannot start a synthesis worker: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(code)));
        return worker;
    }
    addInterruptCleanupProcess(pid);
    ::fcntl(sockets[0], F_SETFL, ::fcntl(sockets[0], F_GETFL) | O_NONBLOCK);
    worker.pid = pid;
    worker.socket = sockets[0];
    return worker;
}

void stopWorkerProcess(WorkerProcess& worker, bool kill)
{
    if (worker.socket >= 0)
        ::close(worker.socket);
    worker.socket = -1;
    if (worker.pid > 0) {
        if (kill)
            ::kill(worker.pid, SIGKILL);
        int status = 0;
        while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
        removeInterruptCleanupProcess(worker.pid);
    }
    worker.pid = -1;
}

} // namespace narrix
