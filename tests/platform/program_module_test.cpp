#include "platform/program_module.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

namespace narrix {
namespace {

using Greeting = const char*();

// The build folder's module folder is searched by its programs only (those below a CMakeCache.txt),
// after the private library folders.
TEST(ProgramModule, FoldersOfAnInstalledAndOfABuildTreeProgram)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/bin")) && dir.mkpath(QStringLiteral("build/tests/platform")));
    QFile(dir.filePath(QStringLiteral("build/CMakeCache.txt"))).open(QIODevice::WriteOnly);
    const QString modules = dir.filePath(QStringLiteral("build/lib/narrix"));
    struct Case
    {
        const char* program;
        bool searchesBuildTree;
    };
    for (const Case& c : {Case{"usr/bin/narrix", false}, Case{"build/tests/platform/platform_test", true},
                          Case{"build/narrix", true}}) {
        const QString program = dir.filePath(QString::fromLatin1(c.program));
        QFile(program).open(QIODevice::WriteOnly);
        const QStringList folders = programModuleFolders(program);
        EXPECT_EQ(folders.first(), QFileInfo(program).absolutePath()) << c.program;
        EXPECT_EQ(folders.contains(modules), c.searchesBuildTree) << folders.join(u' ').toStdString();
        EXPECT_EQ(folders.size(), c.searchesBuildTree ? 3 : 2) << c.program;
    }
}

// A module found and its factory called, from several threads at once; a missing module or factory
// gives a reason that names what is missing, every time it is asked for.
TEST(ProgramModule, OpensOnceAndNamesWhatIsMissing)
{
    std::array<Greeting*, 4> seen{};
    std::vector<std::thread> threads;
    for (Greeting*& factory : seen)
        threads.emplace_back([&factory] {
            factory = programModuleFactory<Greeting>(QStringLiteral("test_greeting"), "narrix_test_greeting",
                                                     nullptr);
        });
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_NE(seen[0], nullptr);
    for (Greeting* factory : seen)
        EXPECT_EQ(factory, seen[0]);
    EXPECT_STREQ(seen[0](), "hello from a module");

    struct Case
    {
        const char* module;
        const char* factory;
        const char* reason;
    };
    for (const Case& c :
         {Case{"absent", "narrix_absent", "libnarrix_absent.so is in none of the module folders"},
          Case{"test_greeting", "narrix_no_such",
               "libnarrix_test_greeting.so has no function narrix_no_such"}}) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            QString error;
            EXPECT_EQ(programModuleSymbol(QString::fromLatin1(c.module), c.factory, &error), nullptr);
            EXPECT_TRUE(error.startsWith(QString::fromLatin1(c.reason))) << error.toStdString();
        }
    }
}

} // namespace
} // namespace narrix
