#pragma once

#include "speech/audio_output.h"

#include <QByteArray>
#include <atomic>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace narrix {

struct PulseLibrary;

// A PulseAudio playback stream fed from PulseAudio's own thread: each time the server asks for
// audio the source is pulled at once, so the stream can keep a short buffer (kTargetLatencyMs
// from our write to the speaker, of which about half in the stream's buffer) without underruns
// while the program's thread or the cores are busy, as long as its thread gets real-time priority;
// where it does not and underruns happen, the target grows. Qt's sink feeds from a 20 ms timer on
// the program's thread and needs several times that.
class PulseAudioOutput final : public AudioOutput
{
    Q_OBJECT
public:
    static constexpr int kTargetLatencyMs = 30;
    // Each underrun raises the target by 10 ms, up to this.
    static constexpr int kMaxLatencyMs = 100;

    // `sinkName` is the PulseAudio sink (QAudioDevice::id()); empty plays on the server's default.
    // `targetLatencyMs` 0 takes kTargetLatencyMs.
    PulseAudioOutput(PcmSource& source, QByteArray sinkName, int targetLatencyMs = 0,
                     QObject* parent = nullptr);
    ~PulseAudioOutput() override;

    // False when the PulseAudio library is missing, no server answers or the stream cannot be made.
    bool start() override;
    void stop() override;
    void suspend() override;
    void resume() override;

    // Times the server found the stream's buffer empty while it played (not counting its end).
    int underruns() const { return underruns_.load(); }

private:
    bool connectContext();
    void closeStream();
    void closeContext();
    // On PulseAudio's thread.
    void fill(std::size_t bytes);
    // On PulseAudio's thread: closes the stream on the program's thread, then emits `signal`,
    // unless the stream was stopped or replaced meanwhile.
    void endStreamLater(void (AudioOutput::*signal)());
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onUnderflow(pa_stream* stream, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onContextState(pa_context* context, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);

    QByteArray sinkName_;
    const PulseLibrary* pulse_ = nullptr; // opened by the first start()
    std::atomic<int> targetLatencyMs_;    // raised on PulseAudio's thread, read by start()
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool draining_ = false;        // guarded by the mainloop's lock
    std::uint64_t generation_ = 0; // which stream a queued drained() belongs to (program's thread)
    std::atomic<int> underruns_{0};
};

} // namespace narrix
