#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// The read-only files shipped with the program (Tips.txt, the manual) are looked up, in this order:
// beside the executable (a portable copy), in share/narrix under the executable's prefix
// (bin/narrix beside share/narrix), in the install location the program was built for, and in the
// source tree it was built from (running from a build folder).
QStringList shippedFileFolders(const QString& executableFolder);

// The first folder of shippedFileFolders() holding `relativePath`, joined with it; empty when none.
QString findShippedFile(const QString& relativePath);
QString findShippedFile(const QString& relativePath, const QStringList& folders);

} // namespace narrix
