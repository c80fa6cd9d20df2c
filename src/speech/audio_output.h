#pragma once

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

class QAudioSink;

namespace narrix {

class WavWriter;

// Where the audio of the engine comes from; pulled on the engine's thread or on the sound server's
// thread (PulseAudioOutput), so implementations are safe to call from another thread.
class PcmSource
{
public:
    virtual ~PcmSource() = default;
    // Copies up to `maxSamples` samples of 16-bit mono PCM; returns how many.
    virtual std::size_t pullPcm(std::int16_t* out, std::size_t maxSamples) = 0;
    // True once the source has nothing more to give for the current reading.
    virtual bool pcmFinished() const = 0;
};

// Plays what a PcmSource gives and says when it has all been heard.
class AudioOutput : public QObject
{
    Q_OBJECT
public:
    explicit AudioOutput(PcmSource& source, QObject* parent = nullptr) : QObject(parent), source_(source) {}

    // Starts pulling (again) unless it already does. False when the output cannot be opened.
    virtual bool start() = 0;
    // Silences at once and forgets what was buffered.
    virtual void stop() = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;

Q_SIGNALS:
    // The source is finished and everything it gave has been played.
    void drained();
    // The output broke while playing (device unplugged, server gone).
    void failed();

protected:
    PcmSource& source_;
};

// A real sound device through QAudioSink in pull mode (push mode can abort at exit in Qt 6.4). Qt
// feeds it from a 20 ms timer on the engine's thread, so it needs a buffer of several times that;
// PulseAudioOutput is the one used unless it cannot start.
class DeviceAudioOutput final : public AudioOutput
{
    Q_OBJECT
public:
    // What the stream keeps buffered ahead of what is heard: pause and stop are heard within it.
    static constexpr int kBufferMs = 100;

    // `bufferMs` 0 takes kBufferMs.
    DeviceAudioOutput(PcmSource& source, const QAudioDevice& device, int bufferMs = 0,
                      QObject* parent = nullptr);
    ~DeviceAudioOutput() override;
    bool start() override;
    void stop() override;
    void suspend() override;
    void resume() override;

private:
    void onStateChanged();
    void releaseSink();

    QAudioDevice device_;
    int bufferMs_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QIODevice> pipe_;
    QTimer drainTimer_;
};

// No device: consumes the audio as fast as it comes (or at `pace` times real time when above 0),
// optionally writing it to a WAV file. Used for NARRIX_AUDIO=null and NARRIX_AUDIO=wav:PATH, and when
// no device can be opened.
class HeadlessAudioOutput final : public AudioOutput
{
    Q_OBJECT
public:
    HeadlessAudioOutput(PcmSource& source, std::shared_ptr<WavWriter> wav, double pace,
                        QObject* parent = nullptr);
    bool start() override;
    void stop() override;
    void suspend() override;
    void resume() override;

private:
    void tick();

    std::shared_ptr<WavWriter> wav_;
    double pace_;
    bool suspended_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
    double credit_ = 0; // samples the pace allows but that were not yet taken
};

} // namespace narrix
