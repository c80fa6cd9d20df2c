#pragma once

#include <QString>

namespace narrix {

// "The program's folder" for data files (schedule.nxl, nxvoice.ini, Tips.txt, update.nxl):
// NARRIX_DATA_DIR when set; else the executable's folder when it is writable (portable use); else the
// per-user data folder (QStandardPaths::AppDataLocation), created when missing.
QString programDataFolder();

// programDataFolder() joined with a file name.
QString programDataFile(const QString& fileName);

// The decision alone, for tests: which folder wins given the three candidates.
QString chooseDataFolder(const QString& environmentFolder, const QString& executableFolder,
                         bool executableFolderWritable, const QString& userDataFolder);

} // namespace narrix
