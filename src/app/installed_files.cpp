#include "app/installed_files.h"

#include "platform/shipped_files.h"
#include "sources/realtime_hook_connection.h"

#include <QFileInfo>

namespace narrix {

InstalledFiles locateInstalledFiles()
{
    InstalledFiles files;
    const QString hook = RealtimeHookConnection::defaultLibraryPath();
    if (QFileInfo(hook).isFile())
        files.hookLibrary = hook;
    files.manual = findShippedFile(QStringLiteral("manual/index.html"));
    files.tips = findShippedFile(QStringLiteral("Tips.txt"));
    files.channelList = findShippedFile(QStringLiteral("channels.nxl"));
    return files;
}

QString installedFilesReport(const InstalledFiles& files)
{
    const auto line = [](const char* name, const QString& path) {
        return QString::fromLatin1(name) + QStringLiteral(": ") +
               (path.isEmpty() ? QStringLiteral("missing") : path) + QLatin1Char('\n');
    };
    return line("hook library", files.hookLibrary) + line("manual", files.manual) + line("tips", files.tips) +
           line("channel list", files.channelList);
}

} // namespace narrix
