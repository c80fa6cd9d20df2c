#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// The program's private libraries (the keyboard-hook library) are looked up beside the executable
// (the build tree, a portable copy) and then in the private library folder of an installed tree, which
// is found relative to the executable (bin/narrix beside lib/.../narrix), never by an absolute path.
QStringList privateLibraryFolders(const QString& executableFolder);

// The first of privateLibraryFolders() holding `fileName`, joined with it; when none does, the
// installed location, so that the caller's error names where the file was expected.
QString findPrivateLibrary(const QString& fileName, const QString& executableFolder);

} // namespace narrix
