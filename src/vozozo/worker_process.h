#pragma once

#include "speech/voice_info.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace narrix {

// espeak-ng keeps its state for the whole process, so parallel synthesis runs in worker processes:
// the vozozo program started as `vozozo --synthesis-worker VOICE SPEED PITCH VOLUME RANGE GAP`, talking
// over one socket on its standard input and output.
//
// A job, parent to worker: a 32-bit little-endian piece count, then per piece its byte count and its
// UTF-8 text. The answer: frames of a 32-bit byte count and that many bytes of 16-bit little-endian
// samples at the export rate, then a frame of size 0 for "job done", or kWorkerFailed when the voice
// could not speak a piece. The worker ends at the end of its input.
constexpr std::uint32_t kWorkerFailed = 0xFFFFFFFFU;
inline constexpr char kWorkerOption[] = "--synthesis-worker";

int runSynthesisWorkerProcess(const QStringList& arguments);

struct WorkerProcess
{
    pid_t pid = -1;
    int socket = -1; // non-blocking, close-on-exec
};

// Starts `program` as a worker for the voice; on failure pid is -1 and `error` says why.
WorkerProcess startWorkerProcess(const QString& program, const VoiceInfo& voice, const Prosody& prosody,
                                 QString* error);
// Kills (when `kill`) and reaps the worker and closes its socket.
void stopWorkerProcess(WorkerProcess& worker, bool kill);

// Appends one piece count or piece to a job being built.
void appendWorkerJobCount(std::string& job, std::uint32_t pieces);
void appendWorkerJobPiece(std::string& job, std::string_view piece);

} // namespace narrix
