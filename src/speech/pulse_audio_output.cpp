#include "speech/pulse_audio_output.h"

#include "base/diagnostics.h"
#include "speech/pulse_library.h"
#include "speech/speech_stream.h"

#include <QMetaObject>
#include <algorithm>
#include <cstring>
#include <vector>

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

void unrefOperation(const PulseLibrary& pulse, pa_operation* operation)
{
    if (operation)
        pulse.operationUnref(operation);
}

// Holds the mainloop's lock for a scope (the program's thread; callbacks already hold it).
class MainloopLock
{
public:
    MainloopLock(const PulseLibrary& pulse, pa_threaded_mainloop* mainloop)
        : pulse_(pulse), mainloop_(mainloop)
    {
        pulse_.mainloopLock(mainloop_);
    }
    ~MainloopLock() { pulse_.mainloopUnlock(mainloop_); }
    MainloopLock(const MainloopLock&) = delete;
    MainloopLock& operator=(const MainloopLock&) = delete;

private:
    const PulseLibrary& pulse_;
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
        MainloopLock lock(*pulse_, mainloop_);
        if (pulse_->contextGetState(context_) == PA_CONTEXT_READY)
            return true;
    }
    closeContext();
    if (pulse_ == nullptr) {
        std::string error;
        pulse_ = PulseLibrary::open(&error);
        if (pulse_ == nullptr) {
            qCWarning(lcAudio, "%s", error.c_str());
            return false;
        }
    }
    mainloop_ = pulse_->mainloopNew();
    if (!mainloop_)
        return false;
    pulse_->mainloopSetName(mainloop_, "narrix-audio");
    context_ = pulse_->contextNew(pulse_->mainloopGetApi(mainloop_), "narrix");
    if (!context_) {
        closeContext();
        return false;
    }
    pulse_->contextSetStateCallback(context_, &PulseAudioOutput::onContextState, this);
    if (pulse_->contextConnect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pulse_->mainloopStart(mainloop_) < 0) {
        closeContext();
        return false;
    }
    pa_context_state_t state = PA_CONTEXT_UNCONNECTED;
    {
        MainloopLock lock(*pulse_, mainloop_);
        for (;;) {
            state = pulse_->contextGetState(context_);
            if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state))
                break;
            pulse_->mainloopWait(mainloop_);
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
    pulse_->mainloopStop(mainloop_);
    if (context_) {
        pulse_->contextSetStateCallback(context_, nullptr, nullptr);
        pulse_->contextDisconnect(context_);
        pulse_->contextUnref(context_);
        context_ = nullptr;
    }
    pulse_->mainloopFree(mainloop_);
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
    MainloopLock lock(*pulse_, mainloop_);
    const pa_sample_spec spec = sampleSpec();
    stream_ = pulse_->streamNew(context_, "Speech", &spec, nullptr);
    if (!stream_)
        return false;
    ++generation_;
    draining_ = false;
    pulse_->streamSetStateCallback(stream_, &PulseAudioOutput::onStreamState, this);
    pulse_->streamSetWriteCallback(stream_, &PulseAudioOutput::onWrite, this);
    pulse_->streamSetUnderflowCallback(stream_, &PulseAudioOutput::onUnderflow, this);
    // The target is the whole way from our write to the speaker: the server sizes the device's
    // buffer and ours to meet it together.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength =
        static_cast<std::uint32_t>(pulse_->usecToBytes(pa_usec_t(targetLatencyMs_) * 1000, &spec));
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE);
    bool ready = pulse_->streamConnectPlayback(stream_, sinkName_.isEmpty() ? nullptr : sinkName_.constData(),
                                               &attributes, flags, nullptr, nullptr) == 0;
    while (ready) {
        const pa_stream_state_t state = pulse_->streamGetState(stream_);
        if (state == PA_STREAM_READY)
            break;
        ready = PA_STREAM_IS_GOOD(state);
        if (ready)
            pulse_->mainloopWait(mainloop_);
    }
    if (!ready) {
        qCWarning(lcAudio, "the sound server refused a stream on %s: %s",
                  sinkName_.isEmpty() ? "the default device" : sinkName_.constData(),
                  pulse_->strerror(pulse_->contextErrno(context_)));
        pulse_->streamSetStateCallback(stream_, nullptr, nullptr);
        pulse_->streamSetWriteCallback(stream_, nullptr, nullptr);
        pulse_->streamSetUnderflowCallback(stream_, nullptr, nullptr);
        pulse_->streamUnref(stream_);
        stream_ = nullptr;
        ++generation_; // a failure queued meanwhile is not this output's
        return false;
    }
    if (const pa_buffer_attr* granted = pulse_->streamGetBufferAttr(stream_)) {
        qCDebug(lcAudio, "stream buffer: target %u bytes, prebuffer %u, minimum request %u", granted->tlength,
                granted->prebuf, granted->minreq);
    }
    return true;
}

void PulseAudioOutput::closeStream()
{
    if (!stream_)
        return;
    MainloopLock lock(*pulse_, mainloop_);
    ++generation_;
    pulse_->streamSetStateCallback(stream_, nullptr, nullptr);
    pulse_->streamSetWriteCallback(stream_, nullptr, nullptr);
    pulse_->streamSetUnderflowCallback(stream_, nullptr, nullptr);
    // Disconnecting drops what the server still holds: silent at once.
    pulse_->streamDisconnect(stream_);
    pulse_->streamUnref(stream_);
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
    MainloopLock lock(*pulse_, mainloop_);
    unrefOperation(*pulse_, pulse_->streamCork(stream_, 1, nullptr, nullptr));
}

void PulseAudioOutput::resume()
{
    if (!stream_)
        return;
    MainloopLock lock(*pulse_, mainloop_);
    unrefOperation(*pulse_, pulse_->streamCork(stream_, 0, nullptr, nullptr));
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
        unrefOperation(*pulse_, pulse_->streamDrain(stream_, &PulseAudioOutput::onDrained, this));
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
        pulse_->streamWrite(stream_, samples.data(), count * 2, nullptr, 0, PA_SEEK_RELATIVE);
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
        const PulseLibrary& pulse = *output->pulse_;
        pa_buffer_attr attributes = *pulse.streamGetBufferAttr(stream);
        attributes.tlength =
            static_cast<std::uint32_t>(pulse.usecToBytes(pa_usec_t(output->targetLatencyMs_) * 1000, &spec));
        attributes.prebuf = static_cast<std::uint32_t>(-1);
        attributes.minreq = static_cast<std::uint32_t>(-1);
        unrefOperation(pulse, pulse.streamSetBufferAttr(stream, &attributes, nullptr, nullptr));
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
    output->pulse_->mainloopSignal(output->mainloop_, 0);
    if (output->pulse_->streamGetState(stream) == PA_STREAM_FAILED)
        output->endStreamLater(&AudioOutput::failed);
}

void PulseAudioOutput::onContextState(pa_context*, void* self)
{
    auto* output = static_cast<PulseAudioOutput*>(self);
    output->pulse_->mainloopSignal(output->mainloop_, 0);
}

} // namespace narrix
