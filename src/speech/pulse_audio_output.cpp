#include "speech/pulse_audio_output.h"

#include "base/diagnostics.h"
#include "speech/speech_stream.h"

#include <QMetaObject>
#include <algorithm>
#include <cstring>
#include <vector>

#include <pulse/pulseaudio.h>

#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace narrix {
namespace {

constexpr int kRate = SpeechStream::kSampleRate;

pa_sample_spec sampleSpec()
{
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_S16LE;
    spec.rate = kRate;
    spec.channels = 1;
    return spec;
}

void unrefOperation(pa_operation* operation)
{
    if (operation)
        pa_operation_unref(operation);
}

// Holds the mainloop's lock for a scope (the program's thread; callbacks already hold it).
class MainloopLock
{
public:
    explicit MainloopLock(pa_threaded_mainloop* mainloop) : mainloop_(mainloop)
    {
        pa_threaded_mainloop_lock(mainloop_);
    }
    ~MainloopLock() { pa_threaded_mainloop_unlock(mainloop_); }
    MainloopLock(const MainloopLock&) = delete;
    MainloopLock& operator=(const MainloopLock&) = delete;

private:
    pa_threaded_mainloop* mainloop_;
};

// The thread that feeds the stream must run within a few milliseconds of the server's request even
// when the cores are busy: it asks for a real-time round-robin priority (allowed to root and to
// users with an RLIMIT_RTPRIO, as audio users usually have), and else for a higher nice level. It
// runs for well under a millisecond at a time, so it cannot starve anything.
bool raiseThreadPriority()
{
    sched_param parameter{};
    parameter.sched_priority = 5;
    if (pthread_setschedparam(pthread_self(), SCHED_RR, &parameter) == 0) {
        qCDebug(lcAudio, "the audio thread runs with real-time priority");
        return true;
    }
    errno = 0;
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10) == 0)
        qCDebug(lcAudio, "the audio thread runs at nice -10");
    else
        qCDebug(lcAudio, "the audio thread runs at normal priority");
    return false;
}

} // namespace

PulseAudioOutput::PulseAudioOutput(PcmSource& source, QByteArray sinkName, int targetLatencyMs,
                                   QObject* parent)
    : AudioOutput(source, parent), sinkName_(std::move(sinkName)),
      targetLatencyMs_(targetLatencyMs > 0 ? targetLatencyMs : kTargetLatencyMs)
{
}

PulseAudioOutput::~PulseAudioOutput()
{
    closeStream();
    closeContext();
}

bool PulseAudioOutput::connectContext()
{
    if (context_) {
        MainloopLock lock(mainloop_);
        if (pa_context_get_state(context_) == PA_CONTEXT_READY)
            return true;
    }
    closeContext();
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_)
        return false;
    pa_threaded_mainloop_set_name(mainloop_, "narrix-audio");
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "narrix");
    if (!context_) {
        closeContext();
        return false;
    }
    pa_context_set_state_callback(context_, &PulseAudioOutput::onContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(mainloop_) < 0) {
        closeContext();
        return false;
    }
    pa_context_state_t state = PA_CONTEXT_UNCONNECTED;
    {
        MainloopLock lock(mainloop_);
        for (;;) {
            state = pa_context_get_state(context_);
            if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state))
                break;
            pa_threaded_mainloop_wait(mainloop_);
        }
    }
    if (state != PA_CONTEXT_READY) {
        closeContext();
        return false;
    }
    return true;
}

void PulseAudioOutput::closeContext()
{
    if (!mainloop_)
        return;
    // The loop's thread ends first (joined), so the connection is closed with no thread still
    // polling its socket.
    pa_threaded_mainloop_stop(mainloop_);
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

bool PulseAudioOutput::start()
{
    // A stream that plays, is paused or plays out its end stays: drained() follows, and the engine
    // starts again for what was queued meanwhile.
    if (stream_)
        return true;
    if (!connectContext())
        return false;
    MainloopLock lock(mainloop_);
    const pa_sample_spec spec = sampleSpec();
    stream_ = pa_stream_new(context_, "Speech", &spec, nullptr);
    if (!stream_)
        return false;
    ++generation_;
    draining_ = false;
    pa_stream_set_state_callback(stream_, &PulseAudioOutput::onStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseAudioOutput::onWrite, this);
    pa_stream_set_underflow_callback(stream_, &PulseAudioOutput::onUnderflow, this);
    // The target is the whole way from our write to the speaker: the server sizes the device's
    // buffer and ours to meet it together.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength =
        static_cast<std::uint32_t>(pa_usec_to_bytes(pa_usec_t(targetLatencyMs_) * 1000, &spec));
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE);
    bool ready = pa_stream_connect_playback(stream_, sinkName_.isEmpty() ? nullptr : sinkName_.constData(),
                                            &attributes, flags, nullptr, nullptr) == 0;
    while (ready) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY)
            break;
        ready = PA_STREAM_IS_GOOD(state);
        if (ready)
            pa_threaded_mainloop_wait(mainloop_);
    }
    if (!ready) {
        qCWarning(lcAudio, "the sound server refused a stream on %s: %s",
                  sinkName_.isEmpty() ? "the default device" : sinkName_.constData(),
                  pa_strerror(pa_context_errno(context_)));
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_unref(stream_);
        stream_ = nullptr;
        ++generation_; // a failure queued meanwhile is not this output's
        return false;
    }
    if (const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream_)) {
        qCDebug(lcAudio, "stream buffer: target %u bytes, prebuffer %u, minimum request %u", granted->tlength,
                granted->prebuf, granted->minreq);
    }
    return true;
}

void PulseAudioOutput::closeStream()
{
    if (!stream_)
        return;
    MainloopLock lock(mainloop_);
    ++generation_;
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
    // Disconnecting drops what the server still holds: silent at once.
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
    draining_ = false;
}

void PulseAudioOutput::stop()
{
    closeStream();
}

void PulseAudioOutput::suspend()
{
    if (!stream_)
        return;
    MainloopLock lock(mainloop_);
    unrefOperation(pa_stream_cork(stream_, 1, nullptr, nullptr));
}

void PulseAudioOutput::resume()
{
    if (!stream_)
        return;
    MainloopLock lock(mainloop_);
    unrefOperation(pa_stream_cork(stream_, 0, nullptr, nullptr));
}

void PulseAudioOutput::fill(std::size_t bytes)
{
    if (draining_ || !stream_)
        return;
    thread_local const bool prioritised = raiseThreadPriority();
    Q_UNUSED(prioritised);
    thread_local std::vector<std::int16_t> samples;
    samples.resize(bytes / 2);
    const std::size_t got = source_.pullPcm(samples.data(), samples.size());
    if (got == 0 && source_.pcmFinished()) {
        // Everything was written: play it out, then say so on the program's thread.
        draining_ = true;
        unrefOperation(pa_stream_drain(stream_, &PulseAudioOutput::onDrained, this));
        return;
    }
    // The server asks only for what keeps its buffer at the target, and asks again only once it has
    // played some: what synthesis has not delivered yet is given as silence, so the stream starts and
    // runs on (an unfilled request would leave it waiting for ever).
    std::size_t count = got;
    if (!source_.pcmFinished()) {
        std::fill(samples.begin() + static_cast<std::ptrdiff_t>(got), samples.end(), std::int16_t{0});
        count = samples.size();
    }
    if (count > 0)
        pa_stream_write(stream_, samples.data(), count * 2, nullptr, 0, PA_SEEK_RELATIVE);
}

void PulseAudioOutput::onWrite(pa_stream*, std::size_t bytes, void* self)
{
    static_cast<PulseAudioOutput*>(self)->fill(bytes);
}

void PulseAudioOutput::onUnderflow(pa_stream* stream, void* self)
{
    auto* output = static_cast<PulseAudioOutput*>(self);
    if (output->draining_)
        return;
    ++output->underruns_;
    // Where this thread cannot be woken in time (no real-time priority, busy cores), a longer
    // buffer is the lesser evil: the target grows by 10 ms per underrun up to what Qt's sink kept,
    // and stays for the output's later streams.
    if (output->targetLatencyMs_ < kMaxLatencyMs) {
        output->targetLatencyMs_ = std::min(kMaxLatencyMs, output->targetLatencyMs_ + 10);
        const pa_sample_spec spec = sampleSpec();
        pa_buffer_attr attributes = *pa_stream_get_buffer_attr(stream);
        attributes.tlength =
            static_cast<std::uint32_t>(pa_usec_to_bytes(pa_usec_t(output->targetLatencyMs_) * 1000, &spec));
        attributes.prebuf = static_cast<std::uint32_t>(-1);
        attributes.minreq = static_cast<std::uint32_t>(-1);
        unrefOperation(pa_stream_set_buffer_attr(stream, &attributes, nullptr, nullptr));
    }
    qCDebug(lcAudio, "underrun (%d so far); latency target now %d ms", output->underruns_.load(),
            output->targetLatencyMs_.load());
}

void PulseAudioOutput::endStreamLater(void (AudioOutput::*signal)())
{
    const std::uint64_t generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, signal] {
            if (generation != generation_)
                return; // stopped or started again meanwhile
            closeStream();
            Q_EMIT(this->*signal)();
        },
        Qt::QueuedConnection);
}

void PulseAudioOutput::onDrained(pa_stream*, int success, void* self)
{
    if (success) // else the stream was closed meanwhile
        static_cast<PulseAudioOutput*>(self)->endStreamLater(&AudioOutput::drained);
}

void PulseAudioOutput::onStreamState(pa_stream* stream, void* self)
{
    auto* output = static_cast<PulseAudioOutput*>(self);
    pa_threaded_mainloop_signal(output->mainloop_, 0);
    if (pa_stream_get_state(stream) == PA_STREAM_FAILED)
        output->endStreamLater(&AudioOutput::failed);
}

void PulseAudioOutput::onContextState(pa_context*, void* self)
{
    auto* output = static_cast<PulseAudioOutput*>(self);
    pa_threaded_mainloop_signal(output->mainloop_, 0);
}

} // namespace narrix
