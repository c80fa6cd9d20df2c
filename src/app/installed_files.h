#pragma once

#include <QString>

namespace narrix {

// The files the program needs from its installation, as it finds them from the running executable:
// the keyboard-hook library, the manual, the tips and the starter channel list. Empty when not found.
struct InstalledFiles
{
    QString hookLibrary;
    QString manual;
    QString tips;
    QString channelList;
};

InstalledFiles locateInstalledFiles();

// The report `narrix` prints and exits with when NARRIX_REPORT_FILES is set (installation checks and
// packaging tests): one line per file, "name: path" or "name: missing".
QString installedFilesReport(const InstalledFiles& files);

} // namespace narrix
