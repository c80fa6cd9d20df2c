#include "platform/shipped_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace narrix {

QStringList shippedFileFolders(const QString& executableFolder)
{
    QStringList folders;
    if (!executableFolder.isEmpty()) {
        folders << QDir::cleanPath(executableFolder);
        folders << QDir::cleanPath(executableFolder + QStringLiteral("/../share/narrix"));
        // A build folder's programs are one level deeper (src/app/narrix beside build/share/narrix).
        folders << QDir::cleanPath(executableFolder + QStringLiteral("/../../share/narrix"));
    }
    folders << QStringLiteral(NARRIX_INSTALL_DATA_DIR);
    folders.removeDuplicates();
    return folders;
}

QString findShippedFile(const QString& relativePath, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(relativePath);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString findShippedFile(const QString& relativePath)
{
    const QString executableFolder =
        QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath() : QString();
    return findShippedFile(relativePath, shippedFileFolders(executableFolder));
}

} // namespace narrix
