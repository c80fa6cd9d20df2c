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
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")) && dir.mkpath(QStringLiteral("lib/narrix")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString installed = dir.filePath(QStringLiteral("lib/narrix/librealtime.so"));
    EXPECT_EQ(privateLibraryFolders(bin), (QStringList{bin, dir.filePath(QStringLiteral("lib/narrix"))}));
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
