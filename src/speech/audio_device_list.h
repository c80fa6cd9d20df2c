#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// The device dialog's list: entry 0 is the default output (device -1), entry k the output k - 1 of
// QMediaDevices::audioOutputs() (through the Qt audio module), the list the engine's Device property
// indexes.
QStringList audioDeviceEntries();
// The entry's text for the default output, naming the output it stands for now.
QString defaultOutputEntry(const QString& defaultDescription);

// Entry 0 for device -1, else device + 1; -1 (nothing selected) when that is past the list.
int entryForDevice(int device, int entryCount);
// Entry 0 gives -1, entry k gives k - 1.
int deviceForEntry(int entry);

} // namespace narrix
