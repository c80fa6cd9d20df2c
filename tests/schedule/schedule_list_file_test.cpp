#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"

#include "base/atomic_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <random>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace narrix;
namespace fs = std::filesystem;

namespace {

class ScheduleListFileTest : public ::testing::Test
{
protected:
    fs::path file(const char* name) const { return fs::path(dir_.path().toStdString()) / name; }

    fs::path write(const char* name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }

    static std::string read(const fs::path& path)
    {
        std::string bytes, error;
        EXPECT_TRUE(readWholeFile(path, &bytes, &error)) << error;
        return bytes;
    }

    void load(const fs::path& path, std::string_view separator = ":")
    {
        std::string error;
        ASSERT_TRUE(LoadScheduleList(list_, path, separator, &error)) << error;
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const auto& item : list_.items())
            out.push_back(item.title);
        return out;
    }

    static ScheduleItem item(std::string title, std::string general = "07:30 - Daily")
    {
        ScheduleItem it;
        it.title = std::move(title);
        it.general = std::move(general);
        it.fileName = "C:\\Texts\\paper.htm";
        it.frequence = "0";
        it.time = "07:30";
        it.day = "0";
        it.date = "1";
        it.month = "0";
        it.lastRun = "Never";
        it.checked = "True";
        it.leadInc = "False";
        it.trailInc = "False";
        return it;
    }

    QTemporaryDir dir_;
    ScheduleListModel list_;
};

// Sets the immutable attribute of a folder for the life of the object, where the file system allows.
class ImmutableFolder
{
public:
    explicit ImmutableFolder(const fs::path& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY))
    {
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            set_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ImmutableFolder()
    {
        int flags = 0;
        if (set_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isSet() const { return set_; }

private:
    int fd_;
    bool set_ = false;
};

} // namespace

TEST_F(ScheduleListFileTest, WritesEveryKeyInOrderWithCrLf)
{
    list_.appendItem(item("Morning Paper"));
    std::string error;
    ASSERT_TRUE(SaveScheduleList(list_, file("schedule.nxl"), &error)) << error;
    EXPECT_EQ(read(file("schedule.nxl")),
              "[Morning Paper]\r\nGeneral=07:30 - Daily\r\nFileName=C:\\Texts\\paper.htm\r\n"
              "Frequence=0\r\nTime=07:30\r\nDay=0\r\nDate=1\r\nMonth=0\r\nLastRun=Never\r\n"
              "Checked=True\r\nLeadKey=\r\nTrailKey=\r\nLeadInc=False\r\nTrailInc=False\r\n");
    struct stat info = {};
    ASSERT_EQ(::stat(file("schedule.nxl").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(ScheduleListFileTest, LoadingReplacesSameTitledRowsAtTheEnd)
{
    list_.appendItem(item("News"));
    list_.appendItem(item("Weather"));
    const fs::path path = write("in.nxl", "[NEWS]\r\nGeneral=08:00 - Weekly\r\n[Sports]\r\nTime=06:15\r\n");
    load(path);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Weather", "NEWS", "Sports"}));
    EXPECT_EQ(list_.item(1).general, "08:00 - Weekly");
    EXPECT_EQ(list_.item(1).fileName, ""); // the file's version, with defaults, not the old row's values
    // A second load of the same file leaves the list as after the first.
    const auto once = list_.items();
    load(path);
    EXPECT_EQ(list_.items(), once);
}

TEST_F(ScheduleListFileTest, MissingKeysTakeDefaultsAndCheckedIsComparedExactly)
{
    load(write("in.nxl", "[Lower]\nChecked=true\n[Upper]\nChecked=TRUE\n[Exact]\nChecked=True\n[None]\n"),
         ".");
    ASSERT_EQ(list_.size(), 4);
    EXPECT_FALSE(list_.item(0).ticked);
    EXPECT_FALSE(list_.item(1).ticked);
    EXPECT_TRUE(list_.item(2).ticked);
    EXPECT_TRUE(list_.item(3).ticked);
    EXPECT_EQ(list_.item(0).checked, "true"); // kept as loaded
    const ScheduleItem& none = list_.item(3);
    EXPECT_EQ(none.general, "Untitled");
    EXPECT_EQ(none.time, "00.00"); // with the reader's time separator
    EXPECT_EQ(none.frequence, "0");
    EXPECT_EQ(none.day, "0");
    EXPECT_EQ(none.date, "1");
    EXPECT_EQ(none.month, "0");
    EXPECT_EQ(none.lastRun, "Never");
    EXPECT_EQ(none.checked, "True");
    EXPECT_EQ(none.fileName + none.leadKey + none.trailKey, "");
    EXPECT_EQ(none.leadInc + none.trailInc, "FalseFalse");
}

TEST_F(ScheduleListFileTest, ReadsFilesWrittenByWindows)
{
    // CR LF, Windows-1252, blanks around names and values, quoted values, any letter case of keys.
    load(write("win.nxl", "[Caf\xe9 News]\r\n"
                          "GENERAL = 07:30 - Daily \r\n"
                          "filename=\"C:\\My Texts\\caf\xe9.htm\"\r\n"
                          "LeadKey=' Top stories '\r\n"
                          "TrailKey=\"Sports\r\n"
                          "Checked=True\r\n"));
    ASSERT_EQ(list_.size(), 1);
    const ScheduleItem& it = list_.item(0);
    EXPECT_EQ(it.title, "Caf\xc3\xa9 News");
    EXPECT_EQ(it.general, "07:30 - Daily");
    EXPECT_EQ(it.fileName, "C:\\My Texts\\caf\xc3\xa9.htm");
    EXPECT_EQ(it.leadKey, " Top stories ");
    EXPECT_EQ(it.trailKey, "\"Sports");
}

TEST_F(ScheduleListFileTest, SavingTakesTheCheckBoxAndReplacesOtherSections)
{
    const fs::path path =
        write("schedule.nxl", "; written by hand\r\n[Gone]\r\nGeneral=x\r\n[News]\r\nChecked=True\r\n");
    list_.appendItem(item("News"));
    list_.setTicked(0, false);
    ASSERT_EQ(list_.item(0).checked, "True");
    std::string error;
    ASSERT_TRUE(SaveScheduleList(list_, path, &error)) << error;
    const std::string saved = read(path);
    EXPECT_NE(saved.find("Checked=False\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("[Gone]"), std::string::npos);
    EXPECT_TRUE(saved.starts_with("; written by hand\r\n[News]\r\n"));

    // Values survive a save and a load unchanged, odd ones included.
    ScheduleItem odd = item("Odd");
    odd.leadKey = " padded ";
    odd.trailKey = "\"quoted\"";
    list_.appendItem(odd);
    ASSERT_TRUE(SaveScheduleList(list_, path, &error)) << error;
    const auto before = list_.items();
    list_.clear();
    load(path);
    ASSERT_EQ(list_.size(), 2);
    EXPECT_EQ(list_.item(1), before[1]);
    EXPECT_FALSE(list_.item(0).ticked);
    EXPECT_EQ(list_.item(0).checked, "False");
}

TEST_F(ScheduleListFileTest, MissingAndEmptyFiles)
{
    load(file("none.nxl"));
    EXPECT_EQ(list_.size(), 0);
    std::string error;
    // An empty list saved to a file that does not exist creates nothing ...
    ASSERT_TRUE(SaveScheduleList(list_, file("none.nxl"), &error));
    EXPECT_FALSE(fs::exists(file("none.nxl")));
    // ... and to one that exists leaves it without sections.
    const fs::path path = write("old.nxl", "[A]\r\nGeneral=x\r\n");
    ASSERT_TRUE(SaveScheduleList(list_, path, &error));
    EXPECT_EQ(read(path), "");
    // A list file that exists but cannot be read is an error, and the list is left alone.
    list_.appendItem(item("Kept"));
    fs::create_directory(file("folder.nxl"));
    EXPECT_FALSE(LoadScheduleList(list_, file("folder.nxl"), ":", &error));
    EXPECT_EQ(titles(), std::vector<std::string>{"Kept"});
}

TEST_F(ScheduleListFileTest, FailedSaveLeavesTheOldFileWhole)
{
    const std::string old = "[Old]\r\nGeneral=07:30 - Daily\r\n";
    const fs::path path = write("schedule.nxl", old);
    for (int i = 0; i < 200; ++i)
        list_.appendItem(item("Item " + std::to_string(i)));
    std::string error;

    // A folder that is a file.
    EXPECT_FALSE(SaveScheduleList(list_, file("schedule.nxl") / "inner.nxl", &error));
    EXPECT_EQ(error, "Unable to write to " + (file("schedule.nxl") / "inner.nxl").string());

    // A disk that fills up while the new list is written (the file-size limit stands in for it).
    {
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved = {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        error.clear();
        const bool ok = SaveScheduleList(list_, path, &error);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, "Unable to write to " + path.string());
        EXPECT_EQ(read(path), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(file("")), fs::directory_iterator()), 1);
    }

    // A folder nobody may write to (root ignores permission bits, not the immutable attribute).
    ImmutableFolder readOnly(file(""));
    if (!readOnly.isSet())
        GTEST_SKIP() << "the file system here has no immutable attribute";
    error.clear();
    EXPECT_FALSE(SaveScheduleList(list_, path, &error));
    EXPECT_EQ(error, "Unable to write to " + path.string());
    EXPECT_EQ(read(path), old);
}

TEST(MergeScheduleItems, AgreesWithRowByRowCaptionSearch)
{
    const std::vector<std::string> names = {"a", "A", "b", "B", "c", "news", "NEWS", "News"};
    std::mt19937 rng(4242);
    for (int round = 0; round < 500; ++round) {
        std::vector<ScheduleItem> list, incoming;
        const auto make = [&](int tag) {
            ScheduleItem it;
            it.title = names[rng() % names.size()];
            it.general = std::to_string(tag);
            return it;
        };
        for (int i = 0, n = static_cast<int>(rng() % 8); i < n; ++i)
            list.push_back(make(i));
        for (int i = 0, n = static_cast<int>(rng() % 8); i < n; ++i)
            incoming.push_back(make(100 + i));

        // What the list control does: search from the first row, delete, append.
        ScheduleListModel model;
        model.setItems(list);
        for (const auto& it : incoming) {
            const int row = model.findTitle(it.title);
            if (row >= 0)
                model.removeRows(row, 1);
            model.appendItem(it);
        }
        ASSERT_EQ(mergeScheduleItems(list, incoming), model.items()) << "round " << round;
    }
}

TEST(ReadScheduleItems, SameNamedSectionsReadTheFirstSection)
{
    const ProfileFile file = ProfileFile::parse("[A]\nGeneral=first\n[a]\nGeneral=second\nChecked=False\n");
    const auto items = readScheduleItems(file, ":");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].title, "a");
    EXPECT_EQ(items[1].general, "first");
    EXPECT_TRUE(items[1].ticked);
}

// Whatever the saver writes, the loader reads: a list file above the 64 MiB a plain read allows.
TEST_F(ScheduleListFileTest, LoadsEveryListItSaves)
{
    ScheduleItem big = item("Big");
    big.fileName = std::string((65u << 20) + 1, 'x');
    list_.appendItem(std::move(big));
    list_.appendItem(item("After"));
    std::string error;
    ASSERT_TRUE(SaveScheduleList(list_, file("schedule.nxl"), &error)) << error;
    ASSERT_GT(fs::file_size(file("schedule.nxl")), uintmax_t{64} << 20);
    list_.setItems({});
    load(file("schedule.nxl"));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Big", "After"}));
    // Values read back are cut as the Windows reader cuts them.
    EXPECT_EQ(list_.items()[0].fileName, std::string(ProfileFile::kValueMaxChars, 'x'));
}

TEST_F(ScheduleListFileTest, ALoneCrEndsALineAndAStrayByteStaysInItsValue)
{
    load(write("schedule.nxl", "[Caf\xc3\xa9]\rFileName=/home/z\xc3\xbc/a.txt\rLeadKey=na\xefve\r"
                               "[Two]\rFileName=b.txt\r"));
    ASSERT_EQ(titles(), (std::vector<std::string>{"Caf\xc3\xa9", "Two"}));
    EXPECT_EQ(list_.items()[0].fileName, "/home/z\xc3\xbc/a.txt");
    EXPECT_EQ(list_.items()[0].leadKey, "na\xc3\xafve");
    EXPECT_EQ(list_.items()[1].fileName, "b.txt");
}

// Bare sections are items with every default. The largest list loads; one section more, or a merge
// that would pass the limit, is refused with the list and the file left as they were.
TEST_F(ScheduleListFileTest, ListsAboveTheItemLimitAreRefusedAndNothingChanges)
{
    const auto bare = [](size_t count, const char* prefix) {
        std::string text;
        for (size_t i = 0; i < count; ++i)
            text += std::string("[") + prefix + std::to_string(i) + "]\r\n";
        return text;
    };
    const fs::path largest = write("largest.nxl", bare(kScheduleListMaxItems, "s"));
    load(largest);
    ASSERT_EQ(list_.size(), static_cast<int>(kScheduleListMaxItems));
    EXPECT_EQ(list_.item(7).title, "s7");
    EXPECT_EQ(list_.item(7).general, "Untitled");
    EXPECT_TRUE(list_.item(7).ticked);

    const std::string tooMany = bare(kScheduleListMaxItems + 1, "t");
    const fs::path above = write("above.nxl", tooMany);
    const fs::path other = write("other.nxl", "[x]\r\n[s1]\r\n");
    const std::vector<ScheduleItem> before = list_.items();
    for (const fs::path& path : {above, other}) {
        SCOPED_TRACE(path.string());
        std::string error;
        EXPECT_FALSE(LoadScheduleList(list_, path, ":", &error));
        EXPECT_EQ(error.rfind("Unable to read " + path.string() + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(std::to_string(kScheduleListMaxItems)), std::string::npos) << error;
        EXPECT_EQ(list_.items(), before);
    }
    EXPECT_EQ(read(above), tooMany);
    // Replacing a row keeps the list at the limit, so that merge goes ahead.
    load(write("same.nxl", "[S1]\r\nGeneral=07:30 - Daily\r\n"));
    EXPECT_EQ(list_.size(), static_cast<int>(kScheduleListMaxItems));
    EXPECT_EQ(list_.items().back().title, "S1");
}
