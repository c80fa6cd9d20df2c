#include "platform/companion_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using narrix::findCompanionProgram;

namespace {

void makeProgram(const QString& path, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(executable ? (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
                                   : (QFile::ReadOwner | QFile::WriteOwner));
}

} // namespace

TEST(CompanionProgram, FoundBesideTheExecutableThenInTheBuildTree)
{
    QTemporaryDir root;
    const QString app = root.filePath(QStringLiteral("src/app"));
    const QString built = root.filePath(QStringLiteral("src/vozozo/vozozo"));
    makeProgram(built, true);
    QDir().mkpath(app);
    EXPECT_EQ(findCompanionProgram(QStringLiteral("vozozo"), app), QDir::cleanPath(built));

    // A copy beside the executable wins over the build tree's.
    const QString beside = root.filePath(QStringLiteral("src/app/vozozo"));
    makeProgram(beside, true);
    EXPECT_EQ(findCompanionProgram(QStringLiteral("vozozo"), app), beside);
}

TEST(CompanionProgram, FilesThatCannotRunAreSkipped)
{
    QTemporaryDir root;
    makeProgram(root.filePath(QStringLiteral("narrix-no-such-tool")), false);
    EXPECT_TRUE(findCompanionProgram(QStringLiteral("narrix-no-such-tool"), root.path()).isEmpty());
}
