#pragma once

#include <QString>

namespace narrix {

// The folders named by the environment (NARRIX_DATA_DIR, XDG_RUNTIME_DIR), given by start-up; empty
// when it named none. Safe to call from any thread.
void setGivenDataFolder(const QString& folder);
void setGivenRuntimeFolder(const QString& folder);
QString givenRuntimeFolder();

// "The program's folder" for data files (schedule.nxl, nxvoice.ini, Tips.txt, update.nxl):
// the given data folder when there is one; else the executable's folder when it is writable (portable use);
// else the per-user data folder (QStandardPaths::AppDataLocation), created when missing.
QString programDataFolder();

// programDataFolder() joined with a file name.
QString programDataFile(const QString& fileName);

// The decision alone, for tests: which folder wins given the three candidates.
QString chooseDataFolder(const QString& environmentFolder, const QString& executableFolder,
                         bool executableFolderWritable, const QString& userDataFolder);

// The folder for what is unique to this user's session (the single-instance lock and socket):
// the given runtime folder when it names a folder; else narrix-UID in the temporary folder, created 0700 when
// missing and accepted only when it is a real folder (no symbolic link) of this user that nobody else
// may enter. Empty, with `error` saying why, when there is no such folder.
QString userRuntimeFolder(QString* error);

// The check of the fallback alone: creates `path` with mode 0700 when it is missing, else accepts it
// only as described above. False with `error` saying why.
bool ensurePrivateFolder(const QString& path, QString* error);

} // namespace narrix
