#include "platform/data_folder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    qputenv("NARRIX_DATA_DIR", folder.toLocal8Bit());
    EXPECT_EQ(programDataFolder(), QDir::cleanPath(folder));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(programDataFile(QStringLiteral("schedule.nxl")), folder + QStringLiteral("/schedule.nxl"));
    qunsetenv("NARRIX_DATA_DIR");
}

} // namespace
} // namespace narrix
