#include "base/atomic_file.h"

#include "support/small_tmpfs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path)
{
    std::string bytes, error;
    EXPECT_TRUE(narrix::readWholeFile(path, &bytes, &error)) << error;
    return bytes;
}

size_t entriesIn(const fs::path& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFile, ReplacesTheFileOwnerOnly)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const fs::path path = folder / "list.nxl";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0644);
    std::string error;
    ASSERT_TRUE(narrix::writeFileAtomically(path, "new", &error)) << error;
    EXPECT_EQ(contents(path), "new");
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(entriesIn(folder), 1u); // no temporary file left behind
}

TEST(AtomicFile, KeepsASymbolicLinkAndReplacesItsTarget)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    fs::create_directory(folder / "real");
    std::ofstream(folder / "real" / "list.nxl") << "old";
    fs::create_symlink(folder / "real" / "list.nxl", folder / "link.nxl");
    std::string error;
    ASSERT_TRUE(narrix::writeFileAtomically(folder / "link.nxl", "new", &error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "link.nxl"));
    EXPECT_EQ(contents(folder / "real" / "list.nxl"), "new");
}

TEST(AtomicFile, FailureLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    std::string error;
    // A "folder" that is a file: the temporary file cannot be created.
    std::ofstream(folder / "plain") << "x";
    EXPECT_FALSE(narrix::writeFileAtomically(folder / "plain" / "list.nxl", "new", &error));
    EXPECT_FALSE(error.empty());
    // The target is a folder: the rename fails, the folder and its contents stay, no temporary remains.
    fs::create_directory(folder / "list.nxl");
    std::ofstream(folder / "list.nxl" / "inside") << "keep";
    error.clear();
    EXPECT_FALSE(narrix::writeFileAtomically(folder / "list.nxl", "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(contents(folder / "list.nxl" / "inside"), "keep");
    EXPECT_EQ(entriesIn(folder), 2u);
}

TEST(AtomicFile, ReadWholeFileTellsMissingFromUnreadable)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    std::string bytes, error;
    bool missing = false;
    EXPECT_FALSE(narrix::readWholeFile(folder / "none", &bytes, &error, &missing));
    EXPECT_TRUE(missing);
    EXPECT_FALSE(narrix::readWholeFile(folder, &bytes, &error, &missing));
    EXPECT_FALSE(missing);
    std::ofstream(folder / "big") << std::string(100, 'x');
    EXPECT_FALSE(narrix::readWholeFile(folder / "big", &bytes, &error, &missing, 99));
    EXPECT_TRUE(narrix::readWholeFile(folder / "big", &bytes, &error, &missing, 100));
}

TEST(AtomicFile, AFullDiskLeavesTheOldFileWholeAndSaysWhy)
{
    const int code = narrix::testing::runOnSmallTmpfs(64 * 1024, [](const fs::path& folder) {
        const fs::path path = folder / "Narrix.conf";
        std::string error;
        if (!narrix::writeFileAtomically(path, "old settings", &error))
            return 10;
        // Nothing free, then a few kilobytes free for a save several times larger.
        for (const off_t leaveFree : {off_t{0}, off_t{8192}}) {
            narrix::testing::fillUp(folder, leaveFree);
            error.clear();
            if (narrix::writeFileAtomically(path, std::string(40000, 'n'), &error))
                return 11;
            std::string bytes, readError;
            if (error.empty() || !narrix::readWholeFile(path, &bytes, &readError) || bytes != "old settings")
                return 12;
            if (entriesIn(folder) != 2) // no temporary file left beside the file and the filler
                return 13;
        }
        return 0;
    });
    if (code == narrix::testing::kNoSmallTmpfs)
        GTEST_SKIP() << "no private tmpfs (mount namespaces need privilege)";
    EXPECT_EQ(code, 0);
}

TEST(AtomicFile, RefusesToReplaceADeviceOrAPipeBehindALink)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::vector<fs::path> targets = {folder / "pipe"};
    // A private device node (the one /dev/zero is), where the test may make one.
    if (::mknod((folder / "zero").c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0)
        targets.push_back(folder / "zero");
    for (const fs::path& target : targets) {
        const fs::path link = folder / ("link-to-" + target.filename().string());
        fs::create_symlink(target, link);
        for (const fs::path& path : {link, target}) {
            std::string error;
            EXPECT_FALSE(narrix::writeFileAtomically(path, "settings", &error)) << path;
            EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
        }
        struct stat info = {};
        ASSERT_EQ(::lstat(target.c_str(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << target;
        EXPECT_TRUE(fs::is_symlink(link));
    }
    EXPECT_EQ(entriesIn(folder), 2 * targets.size()); // no temporary files either
}

TEST(AtomicFile, ReadingAPipeFailsAtOnceInsteadOfWaitingForAWriter)
{
    QTemporaryDir dir;
    const fs::path pipe = fs::path(dir.path().toStdString()) / "schedule.nxl";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&] {
        std::string bytes, error;
        bool missing = true;
        const bool ok = narrix::readWholeFile(pipe, &bytes, &error, &missing);
        return !ok && !missing && error == "not a regular file";
    });
    if (read.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Let the blocked open return so that the test ends.
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        ::close(fd);
        FAIL() << "reading a pipe waited for a writer";
    }
    EXPECT_TRUE(read.get());
}

TEST(AtomicFile, RemovesOnlyItsOwnStaleTemporaries)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    for (const char* name :
         {".schedule.nxl.a1B2c3", ".schedule.nxl.zzzzzz", "schedule.nxl", ".schedule.nxl.toolong1",
          ".schedule.nxl.12345", ".other.nxl.a1B2c3", "keep.schedule.nxl.a1B2c3"}) {
        std::ofstream(folder / name) << "x";
        fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    }
    // One being written right now by another save.
    std::ofstream(folder / ".schedule.nxl.Fresh1") << "x";
    fs::create_directory(folder / ".schedule.nxl.dirXYZ");
    EXPECT_EQ(narrix::removeStaleTemporaries(folder / "schedule.nxl"), 2u);
    EXPECT_FALSE(fs::exists(folder / ".schedule.nxl.a1B2c3"));
    EXPECT_FALSE(fs::exists(folder / ".schedule.nxl.zzzzzz"));
    EXPECT_TRUE(fs::exists(folder / ".schedule.nxl.Fresh1"));
    EXPECT_EQ(entriesIn(folder), 7u);
}
