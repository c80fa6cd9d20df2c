#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

using narrix::decodeToUtf8;
using narrix::decodeUnlabelledToUtf8;
using narrix::isValidUtf8;

TEST(IsValidUtf8, RejectsMalformedSequences)
{
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ascii text that is longer than eight bytes"));
    EXPECT_TRUE(isValidUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xc0\x80"));             // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xe0\x80\xaf"));         // overlong slash
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));         // surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));     // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("abcdefghijklmn\xc3"));   // cut short after an ASCII run
    EXPECT_FALSE(isValidUtf8("\xe2\x82x"));            // bad continuation
    EXPECT_FALSE(isValidUtf8("0123456789abcdef\xff")); // never valid
}

TEST(DecodeToUtf8, DeclaredCharsetComesFirst)
{
    EXPECT_EQ(decodeToUtf8("caf\xe9", "ISO-8859-1"), "caf\xc3\xa9");
    EXPECT_EQ(decodeToUtf8("caf\xe9", " \"iso-8859-1\" "), "caf\xc3\xa9");
    // Latin-1 labels mean Windows-1252, as browsers read them.
    EXPECT_EQ(decodeToUtf8("\x80 5", "latin1"), "\xe2\x82\xac 5");
    EXPECT_EQ(decodeToUtf8("\xc1", "KOI8-R"), "\xd0\xb0");
    // The declaration wins over a <meta> in the page.
    EXPECT_EQ(decodeToUtf8("<meta charset=utf-8>\xe9", "windows-1252"), "<meta charset=utf-8>\xc3\xa9");
    // Declared UTF-8 that is not valid keeps the declaration and marks the bad bytes.
    EXPECT_EQ(decodeToUtf8("a\xe9z", "utf-8"), "a\xef\xbf\xbdz");
    // Valid UTF-8 is not read again as an 8-bit charset; a 16-bit label is believed.
    EXPECT_EQ(decodeToUtf8("caf\xc3\xa9", "iso-8859-1"), "caf\xc3\xa9");
    EXPECT_EQ(decodeToUtf8(std::string("h\0i\0", 4), "UTF-16LE"), "hi");
    // 7-bit stateful encodings are all ASCII bytes, so their label is believed too: ISO-2022-JP
    // "\x1b$B$3$s\x1b(B" is U+3053 U+3093.
    EXPECT_EQ(decodeToUtf8("\x1b$B$3$s\x1b(B", "ISO-2022-JP"), "\xe3\x81\x93\xe3\x82\x93");
    EXPECT_EQ(decodeToUtf8("a+AOk-", "utf-7"), "a\xc3\xa9");
    // An unknown label is ignored.
    EXPECT_EQ(decodeToUtf8("caf\xc3\xa9", "x-no-such-charset"), "caf\xc3\xa9");
}

TEST(DecodeToUtf8, MetaCharsetOfThePage)
{
    EXPECT_EQ(decodeToUtf8("<html><meta charset=\"iso-8859-2\">\xb1</html>"),
              "<html><meta charset=\"iso-8859-2\">\xc4\x85</html>");
    const std::string httpEquiv =
        "<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">";
    EXPECT_EQ(decodeToUtf8(httpEquiv + "\xc0"), httpEquiv + "\xd0\x90");
    // A <meta> found in single-byte text cannot mean UTF-16.
    EXPECT_EQ(decodeToUtf8("<meta charset=utf-16>ok"), "<meta charset=utf-16>ok");
    EXPECT_EQ(narrix::findMetaCharset("<meta name=x><meta content='text/html;charset = Shift_JIS'>"),
              "shift_jis");
    EXPECT_EQ(narrix::findMetaCharset("<p>charset=utf-8</p>"), "");
    EXPECT_EQ(narrix::findMetaCharset("<metadata charset=koi8-r><meta/charset=koi8-u>"), "koi8-u");
    EXPECT_EQ(narrix::findMetaCharset(std::string(9000, ' ') + "<meta charset=koi8-r>"), "");
}

TEST(DecodeToUtf8, ByteOrderMarkThenUtf8ThenWindows1252)
{
    // A byte-order mark wins over any label.
    EXPECT_EQ(decodeToUtf8("\xef\xbb\xbf\xc3\xa9", "windows-1252"), "\xc3\xa9");
    EXPECT_EQ(decodeToUtf8("\xef\xbb\xbfhi"), "hi");
    EXPECT_EQ(decodeToUtf8(std::string("\xff\xfeh\0i\0", 6)), "hi");
    EXPECT_EQ(decodeToUtf8(std::string("\xfe\xff\0h\0i", 6)), "hi");
    EXPECT_EQ(decodeToUtf8("caf\xc3\xa9"), "caf\xc3\xa9");
    EXPECT_EQ(decodeToUtf8("caf\xe9 \x93q\x94"), "caf\xc3\xa9 \xe2\x80\x9cq\xe2\x80\x9d");
    // The five codes that Windows-1252 leaves undefined keep their value.
    EXPECT_EQ(decodeUnlabelledToUtf8("\x81\x8d\x8f\x90\x9d"), "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d");
    EXPECT_EQ(decodeUnlabelledToUtf8("\xff"), "\xc3\xbf");
    EXPECT_EQ(decodeUnlabelledToUtf8(""), "");
}
