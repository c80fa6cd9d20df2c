// What Channel Update offers from a downloaded list and what it hands back for merging.
#include "schedule/channel_update.h"
#include "schedule/schedule_list_file.h"
#include "support/daily_item.h"

#include <gtest/gtest.h>

#include <QtGlobal>

using namespace narrix;

namespace {

ScheduleItem item(std::string title, std::string address, std::string time = "07:00")
{
    return narrix::testing::dailyItem(std::move(title), std::move(address), std::move(time));
}

// The user's list: "Weather" with cut keys, "news" in small letters, "Mail" with no cut.
std::vector<ScheduleItem> userList()
{
    ScheduleItem weather = item("Weather", "http://w.example/today", "06:30");
    weather.leadKey = "Today";
    weather.trailKey = "Tomorrow";
    return {weather, item("news", "http://n.example/"), item("Mail", "email://a b 110 c d N")};
}

std::vector<std::string> offered(std::string_view updateText)
{
    return offeredChannels(userList(), ProfileFile::parse(updateText));
}

using Titles = std::vector<std::string>;

TEST(ChannelUpdateOffer, OffersNewAndChangedChannelsButNotTimingOrEqualOnes)
{
    const struct
    {
        const char* what;
        const char* update;
        Titles expected;
    } cases[] = {
        {"a new channel", "[Radio]\r\nFileName=http://r.example/\r\n", {"Radio"}},
        {"only the time and frequency differ",
         "[Weather]\r\nFileName=http://w.example/today\r\nTime=08:00\r\nFrequence=2\r\nLeadKey=Today\r\n"
         "TrailKey=Tomorrow\r\nLastRun=12/1/2026\r\nChecked=False\r\n",
         {}},
        {"the title differs in letter case only", "[News]\r\nFileName=http://n.example/\r\n", {"News"}},
        {"the address changed",
         "[Weather]\r\nFileName=https://w.example/today\r\nLeadKey=Today\r\nTrailKey=Tomorrow\r\n",
         {"Weather"}},
        {"a cut key changed",
         "[Weather]\r\nFileName=http://w.example/today\r\nLeadKey=Today:\r\nTrailKey=Tomorrow\r\n",
         {"Weather"}},
        {"a key's case changed",
         "[Weather]\r\nFileName=http://w.example/today\r\nLeadKey=today\r\nTrailKey=Tomorrow\r\n",
         {"Weather"}},
        {"LeadInc changed", "[news]\r\nFileName=http://n.example/\r\nLeadInc=True\r\n", {"news"}},
        {"missing Inc keys read as False", "[news]\r\nFileName=http://n.example/\r\n", {}},
        {"\"false\" is not \"False\"",
         "[news]\r\nFileName=http://n.example/\r\nTrailInc=false\r\n",
         {"news"}},
        {"quoted and padded values read as the profile reader reads them",
         "[news]\r\nFileName = \"http://n.example/\" \r\n",
         {}},
        {"an empty list", "", {}},
        {"the download's order is kept",
         "[Zeta]\r\n[Mail]\r\nFileName=x\r\n[Alpha]\r\n",
         {"Zeta", "Mail", "Alpha"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offered(c.update), c.expected) << c.what;
}

TEST(ChannelUpdateOffer, TellsListFilesFromOtherReplies)
{
    const struct
    {
        const char* text;
        bool list;
    } cases[] = {
        {"", true},
        {"\r\n; a comment\r\n[News]\r\nFileName=http://x/\r\n\r\n[Empty]\r\n", true},
        {"[News]\nFileName=\nLeadKey=a=b\n", true},
        {"Hello, world!", false},
        {"<!DOCTYPE html>\n<html><body>[News]</body></html>", false},
        {"FileName=http://x/\r\n[News]\r\n", false},
        {"[News]\r\njust words\r\n", false},
        {"[News]\r\n=value\r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(looksLikeListFile(c.text), c.list) << c.text;
    EXPECT_FALSE(looksLikeListFile(std::string_view("[News]\r\nFileName=a\0b\r\n", 21)));
}

TEST(ChannelUpdateChoice, HandsBackTheTickedChannelsInListOrderWithTheLoadersDefaults)
{
    const ProfileFile update =
        ProfileFile::parse("[News]\r\nFileName=http://n.example/\r\nChecked=False\r\n"
                           "LastRun=12/1/2026\r\n[Radio]\r\nFileName=http://r.example/\r\n"
                           "[Sky]\r\nFileName=http://s.example/\r\n");
    const std::vector<ScheduleItem> chosen = chosenChannels(update, {"Sky", "News"}, ".");
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].title, "Sky");
    EXPECT_EQ(chosen[0].time, "00.00");
    EXPECT_EQ(chosen[0].general, "Untitled");
    EXPECT_EQ(chosen[0].lastRun, "Never");
    EXPECT_TRUE(chosen[0].ticked);
    EXPECT_EQ(chosen[1].title, "News");
    EXPECT_EQ(chosen[1].lastRun, "12/1/2026");
    EXPECT_FALSE(chosen[1].ticked);

    EXPECT_TRUE(chosenChannels(update, {}, ":").empty()) << "nothing ticked, nothing handed back";
    EXPECT_TRUE(chosenChannels(update, {"news"}, ":").empty()) << "titles match exactly";
}

TEST(ChannelUpdateChoice, MergingReplacesSameTitledRowsAndAppendsTheRest)
{
    const ProfileFile update = ProfileFile::parse(
        "[News]\r\nFileName=http://news.example/\r\nChecked=False\r\nLastRun=12/1/2026\r\n[Radio]\r\n");
    const auto merged =
        mergeScheduleItems(userList(), chosenChannels(update, offeredChannels(userList(), update), ":"));
    std::vector<std::string> titles;
    for (const ScheduleItem& i : merged)
        titles.push_back(i.title);
    EXPECT_EQ(titles, (Titles{"Weather", "Mail", "News", "Radio"}));
    EXPECT_EQ(merged[2].fileName, "http://news.example/");
    EXPECT_FALSE(merged[2].ticked);
    EXPECT_EQ(merged[2].lastRun, "12/1/2026");
}

TEST(ChannelUpdateAddress, AGivenAddressReplacesTheMakersAddress)
{
    setChannelListAddress({});
    EXPECT_EQ(channelListAddress(), "https://narrix.quillmark.net/channels/channels.nxl");
    setChannelListAddress(" http://127.0.0.1:18481/data/channels.nxl ");
    EXPECT_EQ(channelListAddress(), "http://127.0.0.1:18481/data/channels.nxl");
    setChannelListAddress("");
    EXPECT_EQ(channelListAddress(), "https://narrix.quillmark.net/channels/channels.nxl");
}

} // namespace
