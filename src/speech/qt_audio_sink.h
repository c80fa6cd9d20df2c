#pragma once

#include "speech/qt_audio.h"

#include <QAudioDevice>
#include <QIODevice>
#include <QTimer>
#include <memory>

class QAudioSink;

namespace narrix {

// A real sound device through QAudioSink in pull mode (push mode can abort at exit in Qt 6.4). Qt
// feeds it from a 20 ms timer on the sink's thread, so it needs a buffer of several times that;
// PulseAudioOutput is the one used unless it cannot start.
class PullAudioSink final : public QtAudioSink
{
public:
    PullAudioSink(PcmSource& source, const QAudioDevice& device, int bufferMs, QtAudioSinkEvents events);
    ~PullAudioSink() override;
    bool start() override;
    void stop() override;
    void suspend() override;
    void resume() override;

private:
    void onStateChanged();
    void releaseSink();

    PcmSource& source_;
    QAudioDevice device_;
    int bufferMs_;
    QtAudioSinkEvents events_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QIODevice> pipe_;
    QTimer drainTimer_;
};

} // namespace narrix
