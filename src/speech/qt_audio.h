#pragma once

#include "platform/program_module.h"
#include "speech/pcm_source.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QObject;

namespace narrix {

// What the Qt audio module (libnarrix_qt_audio.so, qt_audio_module.cpp) gives the engine and the
// device dialog: Qt Multimedia's list of outputs and its sink. The module links Qt Multimedia, which
// brings PulseAudio and libsndfile with its codecs; the program opens it the first time it needs the
// list or the sink, not at every start. Only plain types cross: the module uses nothing of the program.

// One output of QMediaDevices::audioOutputs(): `id` is PulseAudio's sink name.
struct AudioOutputDevice
{
    QByteArray id;
    QString description;
};

// A QAudioSink in pull mode on one output, living on the thread that made it.
class QtAudioSink
{
public:
    virtual ~QtAudioSink() = default;
    // Starts pulling (again) unless it already does; false when the output cannot be opened.
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
};

// Called on the sink's thread: everything the source gave was played, or the output broke.
struct QtAudioSinkEvents
{
    std::function<void()> drained;
    std::function<void()> failed;
};

class QtAudio
{
public:
    virtual ~QtAudio() = default;
    // QMediaDevices::audioOutputs(), in its order: the list the engine's Device property indexes.
    virtual QList<AudioOutputDevice> outputs() const = 0;
    virtual AudioOutputDevice defaultOutput() const = 0;
    // Calls `changed` on `context`'s thread whenever outputs are plugged in or out, while `context` lives.
    virtual void watchOutputs(QObject* context, std::function<void()> changed) const = 0;
    // A sink on `device` (the default output when its id is empty or no longer listed) that keeps
    // `bufferMs` buffered ahead of what is heard.
    virtual std::unique_ptr<QtAudioSink> makeSink(PcmSource& source, const AudioOutputDevice& device,
                                                  int bufferMs, QtAudioSinkEvents events) const = 0;
};

using MakeQtAudio = QtAudio*();

inline constexpr const char* kQtAudioModule = "qt_audio";
inline constexpr const char* kMakeQtAudio = "narrix_make_qt_audio";

NARRIX_MODULE_FACTORY MakeQtAudio narrix_make_qt_audio;

// The module's one QtAudio, opened on first use from any thread; null (the reason logged once) when
// the module cannot be loaded.
const QtAudio* qtAudio();
// Opens the module on a short-lived thread of its own, once, so that the first reading that needs
// the list (a chosen device) finds it loaded without the caller's thread waiting for it.
void preloadQtAudio();

} // namespace narrix
