#include "speech/audio_device_list.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace narrix {

QString defaultOutputEntry(const QString& defaultDescription)
{
    if (defaultDescription.isEmpty())
        return QStringLiteral("Default output");
    return QStringLiteral("Default output (%1)").arg(defaultDescription);
}

QStringList audioDeviceEntries()
{
    QStringList entries{defaultOutputEntry(QMediaDevices::defaultAudioOutput().description())};
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        entries << device.description();
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
