#include "speech/audio_output.h"

#include "speech/speech_stream.h"
#include "speech/wav_writer.h"

#include <algorithm>
#include <vector>

namespace narrix {
namespace {

constexpr int kRate = SpeechStream::kSampleRate;

} // namespace

DeviceAudioOutput::DeviceAudioOutput(PcmSource& source, const QtAudio& audio, const AudioOutputDevice& device,
                                     int bufferMs, QObject* parent)
    : AudioOutput(source, parent),
      sink_(audio.makeSink(source, device, bufferMs > 0 ? bufferMs : kBufferMs,
                           {[this] { Q_EMIT drained(); }, [this] { Q_EMIT failed(); }}))
{
}

bool DeviceAudioOutput::start()
{
    return sink_->start();
}

void DeviceAudioOutput::stop()
{
    sink_->stop();
}

void DeviceAudioOutput::suspend()
{
    sink_->suspend();
}

void DeviceAudioOutput::resume()
{
    sink_->resume();
}

HeadlessAudioOutput::HeadlessAudioOutput(PcmSource& source, std::shared_ptr<WavWriter> wav, double pace,
                                         QObject* parent)
    : AudioOutput(source, parent), wav_(std::move(wav)), pace_(pace)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &HeadlessAudioOutput::tick);
}

bool HeadlessAudioOutput::start()
{
    if (!suspended_ && !timer_.isActive()) {
        credit_ = 0;
        clock_.start();
        timer_.start(2);
    }
    return true;
}

void HeadlessAudioOutput::stop()
{
    timer_.stop();
    suspended_ = false;
}

void HeadlessAudioOutput::suspend()
{
    suspended_ = true;
    timer_.stop();
}

void HeadlessAudioOutput::resume()
{
    if (!suspended_)
        return;
    suspended_ = false;
    credit_ = 0;
    clock_.start();
    timer_.start();
}

void HeadlessAudioOutput::tick()
{
    std::size_t budget = std::size_t{1} << 22;
    if (pace_ > 0) {
        credit_ += static_cast<double>(clock_.nsecsElapsed()) * 1e-9 * kRate * pace_;
        clock_.start();
        budget = static_cast<std::size_t>(credit_);
        credit_ -= static_cast<double>(budget);
    }
    std::vector<std::int16_t> buffer(std::min<std::size_t>(budget, kRate));
    std::size_t total = 0;
    while (total < budget) {
        const std::size_t got = source_.pullPcm(buffer.data(), std::min(buffer.size(), budget - total));
        if (got == 0)
            break;
        if (wav_)
            wav_->append(buffer.data(), got);
        total += got;
    }
    if (total == 0 && source_.pcmFinished()) {
        timer_.stop();
        Q_EMIT drained();
        return;
    }
    // Waiting for audio: look again soon, so that the first sound is not held back by the tick.
    timer_.setInterval(total == 0 ? 2 : 10);
}

} // namespace narrix
