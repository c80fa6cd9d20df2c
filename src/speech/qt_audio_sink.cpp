#include "speech/qt_audio_sink.h"

#include "speech/speech_stream.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <algorithm>
#include <cstring>
#include <vector>

namespace narrix {
namespace {

constexpr int kRate = SpeechStream::kSampleRate;
// On an underrun the device gets this much silence at a time, never a whole buffer.
constexpr qint64 kUnderrunBytes = (kRate / 100) * 2; // whole samples only

// The sink's view of the source: a sequential device that never ends before the source does.
class PcmPipe final : public QIODevice
{
public:
    explicit PcmPipe(PcmSource& source) : source_(source) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const auto maxSamples = static_cast<std::size_t>(maxSize / 2);
        if (maxSamples == 0)
            return 0;
        // The buffer of QIODevice need not be aligned for 16-bit samples: go through our own.
        scratch_.resize(maxSamples);
        const std::size_t got = source_.pullPcm(scratch_.data(), maxSamples);
        if (got > 0) {
            std::memcpy(data, scratch_.data(), got * 2);
            return static_cast<qint64>(got * 2);
        }
        if (source_.pcmFinished())
            return 0;
        // Synthesis is behind: keep the stream alive with a little silence rather than going idle.
        const qint64 silence = std::min(maxSize & ~qint64(1), kUnderrunBytes);
        std::memset(data, 0, static_cast<std::size_t>(silence));
        return silence;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    PcmSource& source_;
    std::vector<std::int16_t> scratch_;
};

QAudioFormat pcmFormat()
{
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

PullAudioSink::PullAudioSink(PcmSource& source, const QAudioDevice& device, int bufferMs,
                             QtAudioSinkEvents events)
    : source_(source), device_(device), bufferMs_(bufferMs), events_(std::move(events))
{
    drainTimer_.setSingleShot(true);
    QObject::connect(&drainTimer_, &QTimer::timeout, &drainTimer_, [this] {
        releaseSink();
        events_.drained();
    });
}

PullAudioSink::~PullAudioSink()
{
    releaseSink();
}

void PullAudioSink::releaseSink()
{
    drainTimer_.stop();
    if (sink_) {
        sink_->disconnect();
        sink_->stop();
        sink_.reset();
    }
    pipe_.reset();
}

bool PullAudioSink::start()
{
    // While the last audio plays out, the sink stays: drained follows and the engine starts again
    // for what was queued meanwhile, without cutting that tail short.
    if (sink_ && (drainTimer_.isActive() || sink_->state() == QAudio::ActiveState ||
                  sink_->state() == QAudio::SuspendedState))
        return true;
    releaseSink();
    pipe_ = std::make_unique<PcmPipe>(source_);
    pipe_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = std::make_unique<QAudioSink>(device_, pcmFormat());
    sink_->setBufferSize(qsizetype(kRate) * 2 * bufferMs_ / 1000);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(), [this] { onStateChanged(); });
    sink_->start(pipe_.get());
    // Qt 6.4 reports an open error through state() and error() only, without stateChanged.
    if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        releaseSink();
        return false;
    }
    return true;
}

void PullAudioSink::onStateChanged()
{
    if (!sink_)
        return;
    const QAudio::State state = sink_->state();
    if (state == QAudio::IdleState && source_.pcmFinished()) {
        // The sink has taken the last sample; what it still holds plays out before we say so.
        const qsizetype queued = std::max<qsizetype>(0, sink_->bufferSize() - sink_->bytesFree());
        const int ms = static_cast<int>(queued * 1000 / (kRate * 2)) + 40;
        drainTimer_.start(ms);
    } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        releaseSink();
        events_.failed();
    }
}

void PullAudioSink::stop()
{
    releaseSink();
}

void PullAudioSink::suspend()
{
    if (sink_)
        sink_->suspend();
}

void PullAudioSink::resume()
{
    if (sink_)
        sink_->resume();
}

} // namespace narrix
