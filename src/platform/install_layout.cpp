#include "platform/install_layout.h"

#include <QDir>
#include <QFileInfo>

namespace narrix {

QStringList privateLibraryFolders(const QString& executableFolder)
{
    const QDir folder(executableFolder);
    QStringList folders{QDir::cleanPath(folder.absolutePath()),
                        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral(NARRIX_BIN_TO_PKGLIBDIR)))};
    folders.removeDuplicates();
    return folders;
}

QString findPrivateLibrary(const QString& fileName, const QString& executableFolder)
{
    const QStringList folders = privateLibraryFolders(executableFolder);
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QDir(folders.last()).filePath(fileName);
}

} // namespace narrix
