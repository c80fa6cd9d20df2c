#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// Where a companion program of ours (vozozo) is found: beside the running executable (an installed
// or portable copy), else in its own folder next to the executable's in a build tree
// (build/src/app/narrix beside build/src/vozozo/vozozo), else on PATH. Empty when none is found.
QString findCompanionProgram(const QString& name, const QString& executableFolder);

// Starts the companion detached from this process. False when it was not found or did not start;
// callers that follow the shell's rules ignore the result.
bool startCompanionProgram(const QString& name, const QStringList& arguments = {});

} // namespace narrix
