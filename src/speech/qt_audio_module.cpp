// The module libnarrix_qt_audio.so: Qt Multimedia's list of outputs and its sink, so that Qt
// Multimedia and what it brings (PulseAudio, libsndfile and its codecs) are loaded the first time the
// program needs them, not at every start.
#include "speech/qt_audio.h"
#include "speech/qt_audio_sink.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>

namespace narrix {
namespace {

AudioOutputDevice describe(const QAudioDevice& device)
{
    return {device.id(), device.description()};
}

class QtMultimediaAudio final : public QtAudio
{
public:
    QList<AudioOutputDevice> outputs() const override
    {
        QList<AudioOutputDevice> devices;
        for (const QAudioDevice& device : QMediaDevices::audioOutputs())
            devices << describe(device);
        return devices;
    }

    AudioOutputDevice defaultOutput() const override { return describe(QMediaDevices::defaultAudioOutput()); }

    void watchOutputs(QObject* context, std::function<void()> changed) const override
    {
        auto* devices = new QMediaDevices(context);
        QObject::connect(devices, &QMediaDevices::audioOutputsChanged, context, std::move(changed));
    }

    std::unique_ptr<QtAudioSink> makeSink(PcmSource& source, const AudioOutputDevice& device, int bufferMs,
                                          QtAudioSinkEvents events) const override
    {
        QAudioDevice chosen = QMediaDevices::defaultAudioOutput();
        if (!device.id.isEmpty()) {
            for (const QAudioDevice& output : QMediaDevices::audioOutputs()) {
                if (output.id() == device.id)
                    chosen = output;
            }
        }
        return std::make_unique<PullAudioSink>(source, chosen, bufferMs, std::move(events));
    }
};

} // namespace

QtAudio* narrix_make_qt_audio()
{
    static QtMultimediaAudio audio;
    return &audio;
}

} // namespace narrix
