#pragma once

#include <QString>
#include <string>

namespace narrix {

// The file an export writes, opened so that nothing but a finished file ever appears at the path:
// - a regular file or a new name: a temporary file beside it (".NAME.XXXXXX") that replaces the path
//   only at commitExportTarget(); a symbolic link is kept and the file it names is replaced. The
//   temporary file is registered for removal on SIGINT, SIGTERM and SIGHUP.
// - an existing file that is not a regular file (a device, a named pipe) and "-" (standard output):
//   written straight into, never created, truncated or removed.
struct ExportTarget
{
    int fd = -1;
    bool ownsFd = false;
    std::string targetPath; // what the temporary file is renamed to
    std::string tempPath;   // empty: written straight into

    bool replacesPath() const { return !tempPath.empty(); }
};

// Opens `path` as above; returns 0, or the errno value of the failure.
int openExportTarget(const QString& path, ExportTarget* target);
// Syncs, closes and renames the temporary file over the path; returns 0 or the errno value. A target
// written straight into is left open (closed by closeExportTarget).
int commitExportTarget(ExportTarget& target);
// Removes the temporary file (nothing else) and closes what is ours; safe to call more than once.
void abandonExportTarget(ExportTarget& target);
void closeExportTarget(ExportTarget& target);

} // namespace narrix
