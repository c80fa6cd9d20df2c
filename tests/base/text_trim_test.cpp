#include "base/text_trim.h"

#include <gtest/gtest.h>

using narrix::trim;

TEST(Trim, RemovesBlanksAndControlCharactersFromBothEnds)
{
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim(" \t\r\n"), "");
    EXPECT_EQ(trim("\x01 a b \x1f"), "a b");
    EXPECT_EQ(trim(std::string("\0x\0", 3)), "x");
    // Bytes at or above 0x80 (UTF-8 sequences) are text, never trimmed.
    EXPECT_EQ(trim("\xc3\xa9 "), "\xc3\xa9");
    EXPECT_TRUE(narrix::isBlank("\r\n  "));
    EXPECT_FALSE(narrix::isBlank(" . "));
}
