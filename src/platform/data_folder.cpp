#include "platform/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace narrix {

QString chooseDataFolder(const QString& environmentFolder, const QString& executableFolder,
                         bool executableFolderWritable, const QString& userDataFolder)
{
    if (!environmentFolder.isEmpty())
        return environmentFolder;
    if (!executableFolder.isEmpty() && executableFolderWritable)
        return executableFolder;
    return userDataFolder;
}

QString programDataFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("NARRIX_DATA_DIR");
    QString executableFolder;
    bool writable = false;
    if (fromEnvironment.isEmpty() && QCoreApplication::instance() != nullptr) {
        executableFolder = QCoreApplication::applicationDirPath();
        writable = QFileInfo(executableFolder).isWritable();
    }
    QString folder = chooseDataFolder(fromEnvironment, executableFolder, writable,
                                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder.isEmpty())
        folder = QDir::currentPath();
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

QString programDataFile(const QString& fileName)
{
    return QDir(programDataFolder()).filePath(fileName);
}

} // namespace narrix
