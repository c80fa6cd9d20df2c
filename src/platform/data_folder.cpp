#include "platform/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

// The folders start-up was given; read from any thread.
struct GivenFolders
{
    std::mutex mutex;
    QString data;
    QString runtime;
};

GivenFolders& givenFolders()
{
    static GivenFolders folders;
    return folders;
}

QString givenFolder(QString GivenFolders::*which)
{
    GivenFolders& folders = givenFolders();
    std::lock_guard lock(folders.mutex);
    return folders.*which;
}

void giveFolder(QString GivenFolders::*which, const QString& folder)
{
    GivenFolders& folders = givenFolders();
    std::lock_guard lock(folders.mutex);
    folders.*which = folder;
}

} // namespace

void setGivenDataFolder(const QString& folder)
{
    giveFolder(&GivenFolders::data, folder);
}

void setGivenRuntimeFolder(const QString& folder)
{
    giveFolder(&GivenFolders::runtime, folder);
}

QString givenRuntimeFolder()
{
    return givenFolder(&GivenFolders::runtime);
}

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
    const QString given = givenFolder(&GivenFolders::data);
    QString executableFolder;
    bool writable = false;
    if (given.isEmpty() && QCoreApplication::instance() != nullptr) {
        executableFolder = QCoreApplication::applicationDirPath();
        writable = QFileInfo(executableFolder).isWritable();
    }
    QString folder = chooseDataFolder(given, executableFolder, writable,
                                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder.isEmpty())
        folder = QDir::currentPath();
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

bool ensurePrivateFolder(const QString& path, QString* error)
{
    const QByteArray local = QFile::encodeName(path);
    const auto fail = [&](const QString& why) {
        if (error != nullptr)
            *error = path + QStringLiteral(": ") + why;
        return false;
    };
    if (::mkdir(local.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info = {};
    if (::lstat(local.constData(), &info) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISLNK(info.st_mode))
        return fail(QStringLiteral("is a symbolic link, not a private folder"));
    if (!S_ISDIR(info.st_mode))
        return fail(QStringLiteral("is not a folder"));
    if (info.st_uid != ::getuid())
        return fail(QStringLiteral("belongs to another user (uid %1)").arg(info.st_uid));
    if ((info.st_mode & 077) != 0)
        return fail(QStringLiteral("is open to other users (mode %1)")
                        .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0')));
    return true;
}

QString userRuntimeFolder(QString* error)
{
    const QString runtime = givenRuntimeFolder();
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/narrix-%1").arg(::getuid());
    return ensurePrivateFolder(own, error) ? own : QString();
}

QString programDataFile(const QString& fileName)
{
    return QDir(programDataFolder()).filePath(fileName);
}

} // namespace narrix
