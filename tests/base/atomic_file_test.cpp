#include "base/atomic_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

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
