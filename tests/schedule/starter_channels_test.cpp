// The channel list we ship: every channel is complete, web channels are https, the mailbox example
// is unticked, and each web channel's keys cut the wanted passage out of a copy of its page served
// by the loopback server (the copies stand for the pages as they were when the keys were chosen).
#include "base/profile_file.h"
#include "net/http_client.h"
#include "net/net_test_support.h"
#include "net/web_address.h"
#include "schedule/channel_cut.h"
#include "schedule/schedule_item.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <map>

namespace narrix {
namespace {

ProfileFile shippedList()
{
    ProfileFile file;
    std::string error;
    EXPECT_TRUE(loadProfileFile(
        qEnvironmentVariable("NARRIX_SOURCE_DIR").toStdString() + "/data/channels.nxl", &file, &error))
        << error;
    return file;
}

TEST(StarterChannels, EveryChannelIsCompleteAndTheMailboxExampleIsUnticked)
{
    const ProfileFile list = shippedList();
    const std::vector<std::string> titles = list.sectionNames();
    ASSERT_GE(titles.size(), 9u);
    int mailboxes = 0;
    for (const std::string& title : titles) {
        SCOPED_TRACE(title);
        for (const ScheduleField& field : kScheduleFields)
            EXPECT_TRUE(list.value(title, field.key).has_value()) << field.key;
        const std::string address = list.readString(title, "FileName", "");
        const std::string frequency = list.readString(title, "Frequence", "");
        EXPECT_TRUE(frequency == "0" || frequency == "1" || frequency == "2");
        EXPECT_EQ(list.readString(title, "General", ""),
                  list.readString(title, "Time", "") + " - " + std::string(frequencyWord(frequency)));
        if (address.starts_with("email://")) {
            ++mailboxes;
            EXPECT_EQ(list.readString(title, "Checked", ""), "False");
        } else {
            EXPECT_TRUE(address.starts_with("https://")) << address;
            EXPECT_FALSE(list.readString(title, "LeadKey", "").empty());
            EXPECT_FALSE(list.readString(title, "TrailKey", "").empty());
        }
    }
    EXPECT_EQ(mailboxes, 1);
}

TEST(StarterChannels, TheKeysCutTheWantedPassageOutOfEachPage)
{
    // For each channel: words its passage starts with, and words from beyond its end. The news page's
    // name comes first: the lead key is also its title, which the conversion keeps.
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"Wikipedia: Today's Featured Article", {"The Old Harbour Lighthouse", "Alpha"}},
        {"Wikipedia: In the News", {"A new bridge opens", "The long strike"}},
        {"Wikipedia: On This Day", {"December 8", "December 9"}},
        {"Astronomy Picture of the Day", {"What's that above the lighthouse?", "a spiral galaxy"}},
        {"New York City Weather", {"502 AM EST", "Bronx"}},
        {"NPR News Headlines", {"NPR : National Public Radio. City council approves", "Terms of Use"}},
        {"Psalm of the Week: Psalm 23", {"23:1 The LORD is my shepherd", "The earth"}},
        {"Alice in Wonderland: Chapter One", {"Alice was beginning to get very tired", "The Pool of Tears"}},
        {"Sherlock Holmes: A Scandal in Bohemia", {"To Sherlock Holmes she is always", "three o'clock"}},
    };
    const ProfileFile list = shippedList();
    net::HttpClient http;
    int checked = 0;
    for (const std::string& title : list.sectionNames()) {
        const std::string address = list.readString(title, "FileName", "");
        if (!address.starts_with("https://"))
            continue;
        SCOPED_TRACE(title);
        ASSERT_TRUE(expected.contains(title));
        const auto page = http.FetchText(net::testing::http("/starter/" + address.substr(8)));
        ASSERT_TRUE(page.ok()) << page.error().message;
        // As channel retrieval does it: the page's speech text, cut with the normalised keys, tidied.
        const ChannelCut keys{normalizeCutKey(list.readString(title, "LeadKey", "")),
                              normalizeCutKey(list.readString(title, "TrailKey", "")),
                              list.readString(title, "LeadInc", "") == "True",
                              list.readString(title, "TrailInc", "") == "True"};
        const std::string text = net::webPageSpeechText(page.value(), http.contentType());
        ASSERT_NE(text.find(keys.leadKey), std::string::npos) << text;
        ASSERT_NE(text.find(keys.trailKey), std::string::npos) << text;
        const std::string passage(tidyPassage(cutPassage(text, keys)));
        const auto& [begins, beyond] = expected.at(title);
        EXPECT_TRUE(passage.starts_with(begins)) << passage;
        EXPECT_EQ(passage.find(beyond), std::string::npos) << passage;
        ++checked;
    }
    EXPECT_EQ(checked, int(expected.size()));
}

} // namespace
} // namespace narrix
