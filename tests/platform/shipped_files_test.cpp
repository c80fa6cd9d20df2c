#include "platform/shipped_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(ShippedFiles, BesideTheProgramThenUnderItsPrefixThenTheInstallFolder)
{
    const QStringList folders = shippedFileFolders(QStringLiteral("/opt/narrix/bin"));
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders[0], QStringLiteral("/opt/narrix/bin"));
    EXPECT_EQ(folders[1], QStringLiteral("/opt/narrix/share/narrix"));
    EXPECT_EQ(folders[2], QStringLiteral("/opt/share/narrix"));
    EXPECT_TRUE(folders[3].endsWith(QStringLiteral("/share/narrix")));
    for (const QString& folder : folders)
        EXPECT_FALSE(folder.endsWith(QStringLiteral("/data"))) << folder.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("b/manual")));
    for (const char* name : {"a/Tips.txt", "b/Tips.txt", "b/manual/index.html"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QStringList two{dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))};
    EXPECT_EQ(findShippedFile(QStringLiteral("Tips.txt"), two), dir.filePath(QStringLiteral("a/Tips.txt")));
    EXPECT_EQ(findShippedFile(QStringLiteral("manual/index.html"), two),
              dir.filePath(QStringLiteral("b/manual/index.html")));
    EXPECT_EQ(findShippedFile(QStringLiteral("manual"), two), QString()); // folders are not files
    EXPECT_EQ(findShippedFile(QStringLiteral("none.txt"), two), QString());
    // The build folder's share/narrix is found from a test program in it.
    EXPECT_FALSE(findShippedFile(QStringLiteral("manual/index.html")).isEmpty());
}

} // namespace
} // namespace narrix
