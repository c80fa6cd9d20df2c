#include "base/profile_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using narrix::ProfileFile;

namespace {

std::filesystem::path writeFile(const QTemporaryDir& dir, const char* name, const std::string& bytes)
{
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(ProfileFile, ReadsFilesAsWindowsWritesThem)
{
    const ProfileFile file = ProfileFile::parse("top=ignored\r\n"
                                                "[Morning Paper]\r\n"
                                                "General=07:30 - Daily\r\n"
                                                "  LeadKey  =   \"  spaced  \"   \r\n"
                                                "TrailKey='single'\r\n"
                                                "Mixed=\"half'\r\n"
                                                "Lone=\"\r\n"
                                                "Bare line\r\n"
                                                "General=second wins nothing\r\n"
                                                "[morning paper]\r\n"
                                                "Time=never read\r\n"
                                                "[x]y] trailing\n"
                                                "[broken\n"
                                                "k=v\n");
    EXPECT_EQ(file.sectionNames(), (std::vector<std::string>{"Morning Paper", "morning paper", "x]y"}));
    EXPECT_EQ(file.value("MORNING PAPER", "general"), "07:30 - Daily");
    EXPECT_EQ(file.value("Morning Paper", "LeadKey"), "  spaced  ");
    EXPECT_EQ(file.value("Morning Paper", "TrailKey"), "single");
    EXPECT_EQ(file.value("Morning Paper", "Mixed"), "\"half'");
    EXPECT_EQ(file.value("Morning Paper", "Lone"), "\"");
    // A key without "=" has no value; the first section of a name is the one that counts.
    EXPECT_EQ(file.value("Morning Paper", "Bare line"), std::nullopt);
    EXPECT_EQ(file.value("Morning Paper", "Time"), std::nullopt);
    EXPECT_EQ(file.readString("Morning Paper", "Time", "00:00"), "00:00");
    EXPECT_EQ(file.readString("Nowhere", "General", "Untitled"), "Untitled");
    // "[broken" is no header: its lines stay in the section before it.
    EXPECT_EQ(file.value("x]y", "k"), "v");
}

TEST(ProfileFile, ValuesAndSectionListAreCutAsTheWindowsBuffersCutThem)
{
    const std::string longAscii(3000, 'a');
    std::string longUtf8;
    for (int i = 0; i < 3000; ++i)
        longUtf8 += "\xc3\xa9";
    const ProfileFile file = ProfileFile::parse("[s]\nascii=" + longAscii + "\nutf8=" + longUtf8 + "\n");
    EXPECT_EQ(file.value("s", "ascii")->size(), ProfileFile::kValueMaxChars);
    EXPECT_EQ(file.value("s", "utf8")->size(), 2 * ProfileFile::kValueMaxChars);

    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "[" + std::string(96, 'n') + std::to_string(100 + i) + "]\n";
    const ProfileFile big = ProfileFile::parse(many);
    EXPECT_EQ(big.sectionNames().size(), 200u);
    // 163 names of 99 characters, each with its zero, and the final zero fill 16301 of 16384.
    const auto limited = big.sectionNames(ProfileFile::kSectionNamesBufferChars);
    ASSERT_EQ(limited.size(), 163u);
    EXPECT_EQ(limited.back(), std::string(96, 'n') + "262");
}

TEST(ProfileFile, WritesCrLfAndReadsBackWhatWasSet)
{
    ProfileFile file = ProfileFile::parse("; kept comment\r\n[Old]\r\nk=v\r\n");
    file.eraseAllSections();
    file.setValue("News", "General", "07:30 - Daily");
    file.setValue("News", "LeadKey", "");
    file.setValue("NEWS", "general", "08:00 - Weekly"); // same section and key
    EXPECT_EQ(file.serialize(), "; kept comment\r\n[News]\r\nGeneral=08:00 - Weekly\r\nLeadKey=\r\n");

    const std::vector<std::string> tricky = {" padded ", "\"quoted\"", "'single'",
                                             "\t",       "a=b",        "caf\xc3\xa9"};
    for (const auto& value : tricky) {
        file.setValue("Round", "Key", value);
        EXPECT_EQ(ProfileFile::parse(file.serialize()).value("Round", "Key"), value);
    }
    // A line break would end the line and could start a section: it is written as a blank.
    file.setValue("Round", "Key", "one\r\n[Injected]\nKey=x");
    const ProfileFile reread = ProfileFile::parse(file.serialize());
    EXPECT_EQ(reread.value("Round", "Key"), "one  [Injected] Key=x");
    EXPECT_FALSE(reread.hasSection("Injected"));

    file.eraseSection("round");
    EXPECT_EQ(file.sectionNames(), std::vector<std::string>{"News"});
}

TEST(ProfileFile, LoadsAndSavesFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ProfileFile file;
    std::string error;
    // Missing: empty, no error.
    ASSERT_TRUE(
        narrix::loadProfileFile(std::filesystem::path(dir.path().toStdString()) / "none.nxl", &file, &error));
    EXPECT_TRUE(file.sectionNames().empty());
    // Windows-1252 bytes as the Windows program writes them.
    ASSERT_TRUE(narrix::loadProfileFile(writeFile(dir, "cp.nxl", "[Caf\xe9]\r\nTitle=\x93Hi\x94\r\n"), &file,
                                        &error));
    EXPECT_EQ(file.value("Caf\xc3\xa9", "title"), "\xe2\x80\x9cHi\xe2\x80\x9d");
    // A folder is not a readable file.
    EXPECT_FALSE(narrix::loadProfileFile(dir.path().toStdString(), &file, &error));
    EXPECT_FALSE(error.empty());

    const auto saved = std::filesystem::path(dir.path().toStdString()) / "out.nxl";
    file.setValue("New", "k", "v");
    ASSERT_TRUE(narrix::saveProfileFile(saved, file, &error)) << error;
    struct stat info = {};
    ASSERT_EQ(::stat(saved.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ProfileFile back;
    ASSERT_TRUE(narrix::loadProfileFile(saved, &back, &error));
    EXPECT_EQ(back.serialize(), file.serialize());
}

// One stray byte re-encodes only its own line: the other values stay the UTF-8 they were.
TEST(ProfileFile, DecidesTheEncodingOfEachLineOnItsOwn)
{
    QTemporaryDir dir;
    ProfileFile file;
    std::string error;
    const std::string bytes = "[Caf\xc3\xa9]\r\nAddress=/home/z\xc3\xbc/news.txt\r\nLeadKey=Na\xefve\r\n"
                              "[Old\xe9]\rTitle=\xe2\x80\x9cHi\xe2\x80\x9d\n";
    ASSERT_TRUE(narrix::loadProfileFile(writeFile(dir, "mixed.nxl", bytes), &file, &error)) << error;
    EXPECT_EQ(file.sectionNames(), (std::vector<std::string>{"Caf\xc3\xa9", "Old\xc3\xa9"}));
    EXPECT_EQ(file.value("Caf\xc3\xa9", "Address"), "/home/z\xc3\xbc/news.txt");
    EXPECT_EQ(file.value("Caf\xc3\xa9", "LeadKey"), "Na\xc3\xafve");
    EXPECT_EQ(file.value("Old\xc3\xa9", "Title"), "\xe2\x80\x9cHi\xe2\x80\x9d");
}

TEST(ProfileFile, LinesEndAtCrLfAtLfAndAtALoneCr)
{
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const ProfileFile file =
            ProfileFile::parse("[One]" + end + "Title=a" + end + end + "[Two]" + end + "Title=b" + end);
        EXPECT_EQ(file.sectionNames(), (std::vector<std::string>{"One", "Two"})) << end.size();
        EXPECT_EQ(file.value("One", "Title"), "a");
        EXPECT_EQ(file.value("Two", "Title"), "b");
    }
    // Mixed in one file, and a CR LF is one line end, not two.
    const ProfileFile mixed = ProfileFile::parse("[A]\rk=1\r\nj=2\n\r[B]\r\nk=3");
    EXPECT_EQ(mixed.value("A", "k"), "1");
    EXPECT_EQ(mixed.value("A", "j"), "2");
    EXPECT_EQ(mixed.value("B", "k"), "3");
}
