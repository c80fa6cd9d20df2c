#pragma once

#include "speech/pcm_source.h"
#include "speech/qt_audio.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace narrix {

class WavWriter;

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

// A real sound device through Qt's sink (the Qt audio module's, on the engine's thread), which needs
// a buffer of several times Qt's 20 ms feeding timer; PulseAudioOutput is the one used unless it
// cannot start.
class DeviceAudioOutput final : public AudioOutput
{
    Q_OBJECT
public:
    // What the stream keeps buffered ahead of what is heard: pause and stop are heard within it.
    static constexpr int kBufferMs = 100;

    // `bufferMs` 0 takes kBufferMs.
    DeviceAudioOutput(PcmSource& source, const QtAudio& audio, const AudioOutputDevice& device,
                      int bufferMs = 0, QObject* parent = nullptr);
    bool start() override;
    void stop() override;
    void suspend() override;
    void resume() override;

private:
    std::unique_ptr<QtAudioSink> sink_;
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
