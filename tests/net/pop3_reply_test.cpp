#include "net/pop3_reply.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(Pop3Reply, ClassifiesReplyLines)
{
    EXPECT_EQ(classifyPop3Reply("+OK ready"), Pop3ReplyKind::Ok);
    EXPECT_EQ(classifyPop3Reply("+ok"), Pop3ReplyKind::Ok);
    EXPECT_EQ(classifyPop3Reply("+oK x"), Pop3ReplyKind::Ok);
    EXPECT_EQ(classifyPop3Reply("-ERR no such message"), Pop3ReplyKind::Err);
    EXPECT_EQ(classifyPop3Reply("-err lower"), Pop3ReplyKind::Unrecognized);
    EXPECT_EQ(classifyPop3Reply("+O"), Pop3ReplyKind::Unrecognized);
    EXPECT_EQ(classifyPop3Reply("HTTP/1.1 200 OK"), Pop3ReplyKind::Unrecognized);
    EXPECT_EQ(classifyPop3Reply(""), Pop3ReplyKind::Unrecognized);
}

TEST(Pop3Reply, ReadsTheMessageCountOfStat)
{
    EXPECT_EQ(parseStatCount("+OK 3 4500"), 3);
    EXPECT_EQ(parseStatCount("+OK 0 0"), 0);
    EXPECT_EQ(parseStatCount("+OK 12"), 12);
    EXPECT_FALSE(parseStatCount("+OK"));
    EXPECT_FALSE(parseStatCount("+OK  3 4500")); // the text from the 5th character starts with the blank
    EXPECT_FALSE(parseStatCount("+OK x 1"));
    EXPECT_FALSE(parseStatCount("+OK 99999999999 1"));
}

TEST(Pop3Reply, UnstuffsMultiLineReplies)
{
    std::string_view data;
    EXPECT_EQ(unstuffPop3Line(".", data), Pop3Line::End);
    ASSERT_EQ(unstuffPop3Line("..", data), Pop3Line::Data);
    EXPECT_EQ(data, ".");
    ASSERT_EQ(unstuffPop3Line("..leading dot", data), Pop3Line::Data);
    EXPECT_EQ(data, ".leading dot");
    ASSERT_EQ(unstuffPop3Line("", data), Pop3Line::Data);
    EXPECT_EQ(data, "");
}

TEST(Pop3Reply, SplitsLinesAndRefusesEndlessOnes)
{
    LineSplitter s(8);
    std::string line;
    s.append("+OK a\r");
    EXPECT_FALSE(s.next(line));
    s.append("\nsecond\nthi");
    ASSERT_TRUE(s.next(line));
    EXPECT_EQ(line, "+OK a");
    ASSERT_TRUE(s.next(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(s.next(line));
    EXPECT_FALSE(s.overlong());
    s.append("rd and more");
    EXPECT_TRUE(s.overlong());
}
