#include "speech/audio_device_list.h"

#include "speech/qt_audio.h"

namespace narrix {

QString defaultOutputEntry(const QString& defaultDescription)
{
    if (defaultDescription.isEmpty())
        return QStringLiteral("Default output");
    return QStringLiteral("Default output (%1)").arg(defaultDescription);
}

QStringList audioDeviceEntries()
{
    // Without the Qt audio module (its absence is logged) only the default output is offered.
    const QtAudio* audio = qtAudio();
    if (audio == nullptr)
        return {defaultOutputEntry(QString())};
    QStringList entries{defaultOutputEntry(audio->defaultOutput().description)};
    for (const AudioOutputDevice& device : audio->outputs())
        entries << device.description;
    return entries;
}

int entryForDevice(int device, int entryCount)
{
    const int entry = device < 0 ? 0 : device + 1;
    return entry < entryCount ? entry : -1;
}

int deviceForEntry(int entry)
{
    return entry <= 0 ? -1 : entry - 1;
}

} // namespace narrix
