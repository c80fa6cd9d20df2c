#include "platform/install_layout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

// The hook library beside the program (build tree, portable copy) wins over the installed tree's
// private folder; with neither, the installed location is named.
TEST(InstallLayout, PrivateLibraryBesideTheProgramThenInItsPrivateFolder)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QStringList folders = privateLibraryFolders(bin);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], bin);
    // lib/narrix or lib/<multiarch>/narrix under the same prefix.
    EXPECT_TRUE(folders[1].startsWith(dir.filePath(QStringLiteral("lib/")))) << folders[1].toStdString();
    EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/narrix"))) << folders[1].toStdString();
    ASSERT_TRUE(dir.mkpath(folders[1]));
    const QString installed = QDir(folders[1]).filePath(QStringLiteral("librealtime.so"));
    EXPECT_EQ(findPrivateLibrary(QStringLiteral("librealtime.so"), bin), installed);

    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(findPrivateLibrary(QStringLiteral("librealtime.so"), bin), installed);
    const QString beside = dir.filePath(QStringLiteral("bin/librealtime.so"));
    QFile(beside).open(QIODevice::WriteOnly);
    EXPECT_EQ(findPrivateLibrary(QStringLiteral("librealtime.so"), bin), beside);
    EXPECT_EQ(findPrivateLibrary(QStringLiteral("librealtime.so"), bin + QStringLiteral("/")), beside);
}

} // namespace
} // namespace narrix
