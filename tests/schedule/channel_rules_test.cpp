// The text rules of channels: the cut and its tidying, address forms, mailbox addresses, the
// e-mail sentence and the transfer status texts.
#include "schedule/channel_address.h"
#include "schedule/channel_cut.h"
#include "schedule/channel_request.h"
#include "schedule/mail_sentence.h"
#include "schedule/mailbox_address.h"
#include "schedule/transfer_status_text.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace narrix;

namespace {

std::string spoken(std::string_view text, ChannelCut cut)
{
    cut.leadKey = normalizeCutKey(cut.leadKey);
    cut.trailKey = normalizeCutKey(cut.trailKey);
    return std::string(tidyPassage(cutPassage(text, cut)));
}

} // namespace

TEST(ChannelCut, CutsBetweenTheKeysInEveryIncludeCombination)
{
    const std::string page = "News Top stories Rain today. Sports";
    struct Case
    {
        ChannelCut cut;
        std::string_view cutText;
        std::string_view spokenText;
    } cases[] = {
        {{"Top stories", "", false, false}, " Rain today. Sports", "Rain today. Sports"},
        {{"Top stories", "", true, false},
         "Top stories Rain today. Sports",
         "Top stories Rain today. Sports"},
        {{"Top stories", "Sports", false, false}, " Rain today. ", "Rain today"},
        {{"Top stories", "Sports", false, true}, " Rain today. Sports", "Rain today. Sports"},
        {{"Top stories", "Sports", true, false}, "Top stories Rain today. ", "Top stories Rain today"},
        {{"Top stories", "Sports", true, true},
         "Top stories Rain today. Sports",
         "Top stories Rain today. Sports"},
        {{"", "Sports", false, false}, "News Top stories Rain today. ", "News Top stories Rain today"},
        {{"", "", true, true}, "News Top stories Rain today. Sports", "News Top stories Rain today. Sports"},
        // A key in another letter case matches nothing: the whole text.
        {{"top stories", "SPORTS", false, false},
         "News Top stories Rain today. Sports",
         "News Top stories Rain today. Sports"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutPassage(page, c.cut), c.cutText) << c.cut.leadKey << "|" << c.cut.trailKey;
        EXPECT_EQ(spoken(page, c.cut), c.spokenText) << c.cut.leadKey << "|" << c.cut.trailKey;
    }
}

TEST(ChannelCut, FirstOccurrencesAndTheTrailKeyOnlyAfterTheLead)
{
    // The lead cut starts at the first occurrence.
    EXPECT_EQ(spoken("a KEY one KEY two", {"KEY", "", false, false}), "one KEY two");
    // A trail key found only before the lead key cuts nothing.
    EXPECT_EQ(spoken("end start middle", {"start", "end", false, false}), "middle");
    // The trail key's first occurrence after the lead cut.
    EXPECT_EQ(spoken("x START a END b END", {"START", "END", false, true}), "a END");
}

TEST(ChannelCut, KeysAreTrimmedAndTheirBlankRunsCollapsed)
{
    EXPECT_EQ(normalizeCutKey("  Top  stories \t"), "Top stories");
    EXPECT_EQ(normalizeCutKey("a    b  c"), "a b c");
    EXPECT_EQ(normalizeCutKey("\r\n"), "");
    EXPECT_EQ(spoken("News Top stories Rain today. Sports", {"Top  stories", "  Sports  ", false, false}),
              "Rain today");
}

TEST(ChannelCut, TidyingDropsLeadingPunctuationAndTrailingPoints)
{
    EXPECT_EQ(tidyPassage(" ;,.' ; Rain today..."), "Rain today");
    EXPECT_EQ(tidyPassage("\r\n. . Rain . . \t"), "Rain");
    EXPECT_EQ(tidyPassage("Rain today!"), "Rain today!");
    EXPECT_EQ(tidyPassage(" ... "), "");
    EXPECT_EQ(tidyPassage(""), "");
}

TEST(ChannelCut, IsLinearOnAHostileKey)
{
    // A key of many 'a's followed by 'b' against a long run of 'a's: a naive search would take
    // key length times text length; this finishes at once.
    const std::string text(4 << 20, 'a');
    const std::string key = std::string(4096, 'a') + "b";
    EXPECT_EQ(cutPassage(text, {key, key, false, false}).size(), text.size());
}

TEST(ChannelAddress, FormsDecideTheKind)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("www.example.com")).toStdString();
    std::ofstream(file) << "text";
    EXPECT_EQ(channelKindOf("email://a b c d e N"), ChannelKind::Mailbox);
    EXPECT_EQ(channelKindOf("EmAiL://"), ChannelKind::Mailbox);
    EXPECT_EQ(channelKindOf(file), ChannelKind::LocalFile); // a file that looks like a web address
    EXPECT_EQ(channelKindOf(dir.path().toStdString()), ChannelKind::WebPage); // a folder is no file
    EXPECT_EQ(channelKindOf("www.example.com/news"), ChannelKind::WebPage);
    EXPECT_EQ(channelKindOf(""), ChannelKind::WebPage);

    EXPECT_EQ(channelWebUrl("www.example.com/news"), "http://www.example.com/news");
    EXPECT_EQ(channelWebUrl("HtTp://host/x"), "HtTp://host/x");
    EXPECT_EQ(channelWebUrl("HTTPS://host/x"), "HTTPS://host/x");
    EXPECT_EQ(channelWebUrl("ftp://host/x"), "http://ftp://host/x");
}

TEST(MailboxAddress, FieldsPortsAndRefusals)
{
    const auto full = parseMailboxAddress("ann@example.com pop.example.com 995 ann s3cret Y");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->email, "ann@example.com");
    EXPECT_EQ(full->server, "pop.example.com");
    EXPECT_EQ(full->port, 995);
    EXPECT_EQ(full->user, "ann");
    EXPECT_EQ(full->password, "s3cret");
    EXPECT_TRUE(full->readBodies);

    const auto stars = parseMailboxAddress("* * * * * N");
    ASSERT_TRUE(stars);
    EXPECT_EQ(stars->email, "");
    EXPECT_EQ(stars->server, "");
    EXPECT_EQ(stars->port, 110);
    EXPECT_FALSE(stars->readBodies);

    const std::pair<const char*, int> ports[] = {{"x110", 110}, {"", 110}, {"1a2", 12}, {"0995", 995}};
    for (const auto& [port, expected] : ports) {
        const auto parsed = parseMailboxAddress(std::string("a h ") + port + " u p N");
        ASSERT_TRUE(parsed) << port;
        EXPECT_EQ(parsed->port, expected) << port;
    }
    // Everything after the fifth blank is the body flag: only exactly "Y" reads bodies.
    for (const char* flag : {"y", "Y ", "N", "", "Yes", "Y Y"})
        EXPECT_FALSE(parseMailboxAddress(std::string("a h 1 u p ") + flag)->readBodies) << flag;
    // A password with a blank shifts the fields, as the format demands.
    EXPECT_EQ(parseMailboxAddress("a h 1 u pass word Y")->password, "pass");

    std::string error;
    EXPECT_FALSE(parseMailboxAddress("a h 110 u p", &error));
    EXPECT_NE(error.find("six fields"), std::string::npos);
    EXPECT_FALSE(parseMailboxAddress("", &error));
    EXPECT_FALSE(parseMailboxAddress("a h 99999999999999999999999 u p N", &error));
    EXPECT_NE(error.find("not a port number"), std::string::npos);
    EXPECT_FALSE(parseMailboxAddress("a h 65536 u p N", &error));
    EXPECT_EQ(parseMailboxAddress("a h 65535 u p N")->port, 65535);
}

TEST(MailSentence, ComposesCountsHeadersAndBodies)
{
    EXPECT_EQ(MailSentence(1).text(), "You have got 1 message!");
    EXPECT_EQ(MailSentence(3).text(), "You have got 3 messages!");
    MailSentence two(2);
    two.beginMessage(1);
    two.addHeader("Lunch", "Ann Lee <ann@example.com>");
    two.addBody({"Noon?", "", "Ann"});
    two.beginMessage(2);
    two.addHeader("", "");
    EXPECT_EQ(two.text(), "You have got 2 messages! Message 1: Subject: Lunch; From: Ann Lee ; Message body: "
                          "Noon?\r\n\r\nAnn\r\n Message 2: Subject: ; From: ;");

    const std::pair<const char*, const char*> senders[] = {
        {"Ann Lee <ann@example.com>", "Ann Lee "},
        {"\"Lee, Ann\" <ann@example.com>", "\"Lee, Ann\" "},
        {"bob@example.com", "bob@example.com"},
        {"a <b> c", "a <b> c"},    // ">" is not last
        {"x <y> <z@h>", "x <y> "}, // from the last "<"
        {"odd>", "odd>"},          // no "<"
    };
    for (const auto& [sender, expected] : senders)
        EXPECT_EQ(MailSentence::spokenSender(sender), expected) << sender;
}

TEST(TransferStatusText, StatusAndProgressTexts)
{
    EXPECT_EQ(TransferStatusText::status(QStringLiteral("Connected.")),
              QStringLiteral(" Connected. (Press Esc if you want to cancel)"));
    EXPECT_EQ(TransferStatusText::status(QStringLiteral("Disconnected.")), QStringLiteral(" Disconnected."));
    TransferStatusText text;
    EXPECT_EQ(text.progress(512),
              QStringLiteral(" Receiving data... (512, press Esc if you want to cancel)"));
    text.begin(2048);
    EXPECT_EQ(text.progress(512),
              QStringLiteral(" Receiving data... (512/2048, press Esc if you want to cancel)"));
    text.begin(-1);
    EXPECT_EQ(text.progress(7), QStringLiteral(" Receiving data... (7, press Esc if you want to cancel)"));
}

TEST(ChannelRequest, FromAnItemTakesTheFlagsOnlyWhenExactlyTrue)
{
    ScheduleItem item;
    item.title = "News";
    item.fileName = "example.com";
    item.leadKey = "a";
    item.trailKey = "b";
    item.leadInc = "True";
    item.trailInc = "true";
    const ChannelRequest request = ChannelRequest::fromItem(item);
    EXPECT_EQ(request.title, "News");
    EXPECT_EQ(request.address, "example.com");
    EXPECT_TRUE(request.cut.leadInc);
    EXPECT_FALSE(request.cut.trailInc);
    const ChannelRequest handed = ChannelRequest::forAddress("/tmp/x.txt");
    EXPECT_EQ(handed.title, "/tmp/x.txt");
    EXPECT_TRUE(handed.cut.leadKey.empty() && handed.cut.trailKey.empty());
}
