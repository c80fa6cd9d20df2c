#pragma once

#include "speech/voice_info.h"
#include "vozozo/speech_export.h"

#include <QString>
#include <functional>
#include <string_view>

namespace narrix {

class ExportOutput;

struct ParallelExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString error;
};

// Speaks `text` on `workers` worker processes (`program` is vozozo itself) and appends the samples to
// `output` in the text's order. Jobs of whole pieces go to whichever worker has room; the audio of
// jobs finished ahead of the one being written waits in memory, at most a few jobs per worker. With
// `sentenceStarted` set, a job is one sentence, reported when its audio is about to be written.
ParallelExportResult exportOnWorkerProcesses(std::string_view text, const VoiceInfo& voice,
                                             const Prosody& prosody, int workers, const QString& program,
                                             ExportOutput& output,
                                             const std::function<bool(double)>& progress,
                                             const PieceStartHandler& sentenceStarted = {});

} // namespace narrix
