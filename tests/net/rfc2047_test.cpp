#include "net/rfc2047.h"
#include "net/transfer_decoding.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(EncodedWords, DecodesEveryCharsetIntoUtf8)
{
    EXPECT_EQ(decodeEncodedWords("=?ISO-8859-1?Q?Caf=E9_cr=E8me?="), "Caf\xc3\xa9 cr\xc3\xa8me");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a=5Fb?="), "a_b");
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?B?R3LDvMOfZQ==?="), "Gr\xc3\xbc\xc3\x9f"
                                                              "e");
    EXPECT_EQ(decodeEncodedWords("=?windows-1252?Q?=80?="), "\xe2\x82\xac");
    EXPECT_EQ(decodeEncodedWords("=?KOI8-R?B?8NLJ18XU?="),
              "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82");
    EXPECT_EQ(decodeEncodedWords("=?utf-8*en?Q?hi?="), "hi");
    EXPECT_EQ(decodeEncodedWords("=?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?="),
              "\xe3\x81\x93\xe3\x82\x93\xe3\x81\xab\xe3\x81\xa1\xe3\x81\xaf");
}

TEST(EncodedWords, JoinsAdjacentWordsAndKeepsOtherText)
{
    EXPECT_EQ(decodeEncodedWords("Re: =?UTF-8?Q?a?= =?UTF-8?Q?b?= end"), "Re: ab end");
    // A UTF-8 character split across two words survives.
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?B?w6k=?=\r\n =?UTF-8?Q?=C3?= =?UTF-8?Q?=A9?="), "\xc3\xa9\xc3\xa9");
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?Q?a?= x =?UTF-8?Q?b?="), "a x b");
    EXPECT_EQ(decodeEncodedWords("plain text"), "plain text");
    EXPECT_EQ(decodeEncodedWords("caf\xe9"), "caf\xc3\xa9"); // raw 8-bit text read as Windows-1252
}

TEST(EncodedWords, LeavesMalformedWordsAndDropsNuls)
{
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?X?abc?="), "=?UTF-8?X?abc?=");
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?Q?no end"), "=?UTF-8?Q?no end");
    EXPECT_EQ(decodeEncodedWords("=??Q?x?="), "=??Q?x?=");
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?Q?a b?="), "=?UTF-8?Q?a b?=");
    EXPECT_EQ(decodeEncodedWords("=?x-unknown?Q?abc?="), "abc");
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?Q?a=00b?="), "ab");
    EXPECT_EQ(decodeEncodedWords("=?=?UTF-8?Q?ok?="), "=?ok");
}

TEST(TransferDecoding, DecodesQuotedPrintable)
{
    EXPECT_EQ(decodeQuotedPrintable("caf=C3=A9 =3D ok"), "caf\xc3\xa9 = ok");
    EXPECT_EQ(decodeQuotedPrintable("soft=\r\nbreak and=  \nmore="), "softbreak andmore");
    EXPECT_EQ(decodeQuotedPrintable("bad =ZZ =4"), "bad =ZZ =4");
    EXPECT_EQ(decodeQuotedPrintable("lower =c3=a9"), "lower \xc3\xa9");
}

TEST(TransferDecoding, DecodesBase64Leniently)
{
    EXPECT_EQ(decodeBase64("SGVsbG8sIFdvcmxkIQ=="), "Hello, World!");
    EXPECT_EQ(decodeBase64("SGVs\r\nbG8s IFdv\ncmxkIQ"), "Hello, World!");
    EXPECT_EQ(decodeBase64("YQ==junk"), "a");
    EXPECT_EQ(decodeBase64(""), "");
}
