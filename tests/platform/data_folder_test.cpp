#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

TEST(DataFolder, EnvironmentThenWritableExecutableFolderThenUserFolder)
{
    const QString env = QStringLiteral("/env"), exe = QStringLiteral("/opt/narrix"),
                  user = QStringLiteral("/home/u/.local/share/Narrix");
    EXPECT_EQ(chooseDataFolder(env, exe, true, user), env);
    EXPECT_EQ(chooseDataFolder(QString(), exe, true, user), exe);
    EXPECT_EQ(chooseDataFolder(QString(), exe, false, user), user);
    EXPECT_EQ(chooseDataFolder(QString(), QString(), true, user), user);
}

TEST(DataFolder, NarrixDataDirIsCreatedAndUsed)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("profile/one"));
    setGivenDataFolder(folder);
    EXPECT_EQ(programDataFolder(), QDir::cleanPath(folder));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(programDataFile(QStringLiteral("schedule.nxl")), folder + QStringLiteral("/schedule.nxl"));
    setGivenDataFolder({});
}

// The fallback runtime folder is the program's only when it is a real folder of this user, closed to
// everyone else; another user's folder, an open one or a link planted in its place is refused.
TEST(RuntimeFolder, TheFallbackIsCreatedPrivateAndRefusedWhenNotOurs)
{
    QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("narrix-test"));
    const QByteArray local = QFile::encodeName(path);
    const auto makeFolder = [&](mode_t mode) {
        ASSERT_EQ(::mkdir(local.constData(), 0700), 0);
        ASSERT_EQ(::chmod(local.constData(), mode), 0);
    };
    struct Case
    {
        const char* name;
        std::function<void()> prepare;
        bool accepted;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", [] {}, true, ""},
        {"ours, 0700", [&] { makeFolder(0700); }, true, ""},
        {"open to the group", [&] { makeFolder(0750); }, false, "mode 0750"},
        {"open to all", [&] { makeFolder(01777); }, false, "mode 1777"},
        {"a link to a private folder",
         [&] {
             const QByteArray target = QFile::encodeName(root.filePath(QStringLiteral("elsewhere")));
             ::mkdir(target.constData(), 0700);
             ::symlink(target.constData(), local.constData());
         },
         false, "symbolic link"},
        {"a file",
         [&] {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         },
         false, "not a folder"},
        {"another user's",
         [&] {
             makeFolder(0700);
             // Only root can give a folder away; others skip this case.
             if (::chown(local.constData(), ::getuid() + 1, ::getgid()) != 0)
                 ::rmdir(local.constData());
         },
         false, "another user"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::unlink(local.constData());
        ::rmdir(local.constData());
        c.prepare();
        if (!c.accepted && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            continue;
        QString error;
        EXPECT_EQ(ensurePrivateFolder(path, &error), c.accepted) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.reason))) << error.toStdString();
        struct stat info = {};
        if (c.accepted) {
            ASSERT_EQ(::lstat(local.constData(), &info), 0);
            EXPECT_TRUE(S_ISDIR(info.st_mode));
            EXPECT_EQ(info.st_mode & 0777, 0700u);
        }
    }

    // Without a given runtime folder the checked fallback in the temporary folder (TMPDIR, read by Qt)
    // is used; a given runtime folder is taken.
    const QByteArray savedTemp = qgetenv("TMPDIR");
    setGivenRuntimeFolder({});
    qputenv("TMPDIR", QFile::encodeName(root.path()));
    const QString fallback = root.filePath(QStringLiteral("narrix-%1").arg(::getuid()));
    QString error;
    EXPECT_EQ(userRuntimeFolder(&error), fallback);
    ::chmod(QFile::encodeName(fallback).constData(), 0755);
    EXPECT_EQ(userRuntimeFolder(&error), QString());
    EXPECT_TRUE(error.startsWith(fallback)) << error.toStdString();
    setGivenRuntimeFolder(root.path());
    EXPECT_EQ(userRuntimeFolder(&error), root.path());
    setGivenRuntimeFolder({});
    qputenv("TMPDIR", savedTemp);
}

} // namespace
} // namespace narrix
