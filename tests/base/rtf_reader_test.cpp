#include "base/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>

using narrix::ReadRtf;
using narrix::RtfDocument;
using narrix::RtfError;
using narrix::RtfToPlainText;

namespace {

struct TextCase
{
    const char* name;
    std::string rtf;
    std::string text;
};

class RtfPlainText : public testing::TestWithParam<TextCase>
{
};

TEST_P(RtfPlainText, ReadsTheWordsOfRealFiles)
{
    const TextCase& c = GetParam();
    std::string text;
    RtfError error;
    ASSERT_TRUE(RtfToPlainText(c.rtf, &text, &error)) << error.describe();
    EXPECT_EQ(text, c.text);
    // The formatted reading gives the same text.
    RtfDocument document;
    ASSERT_TRUE(ReadRtf(c.rtf, &document, &error)) << error.describe();
    EXPECT_EQ(document.plainText(), c.text);
}

const TextCase kTextCases[] = {
    {"Paragraphs", "{\\rtf1\\ansi Hello\\par World\\line again}", "Hello\nWorld\nagain"},
    {"SourceLineBreaksAreNotText", "{\\rtf1 a\r\nb\nc\\\r\nd}", "abc\nd"},
    {"UnicodeWithFallback", "{\\rtf1\\ansi\\uc1 caf\\u233?\\par \\u-10179?\\u-8694?!}",
     "caf\xC3\xA9\n\xF0\x9F\x98\x8A!"},
    {"WiderFallbackIsSkipped", "{\\rtf1\\ansicpg936\\uc2\\u20320\\'c4\\'e3x{\\uc0\\u20320 y}}",
     "\xE4\xBD\xA0x\xE4\xBD\xA0y"},
    {"FallbackEndsWithTheGroup", "{\\rtf1{\\uc3\\u233 a}bc}",
     "\xC3\xA9"
     "bc"},
    {"DocumentCodePage", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}",
     "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
    {"FontCharsetDecides",
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset204 Times;}}"
     "\\f0 caf\\'e9 \\f1\\'c4\\'e0{\\f0\\'e9}}",
     "caf\xC3\xA9 \xD0\x94\xD0\xB0\xC3\xA9"},
    {"DoubleByteCodePage", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}", "\xE3\x81\x82\xE3\x81\x84"},
    {"MacCodePage", "{\\rtf1\\mac caf\\'8e}", "caf\xC3\xA9"},
    {"NestedGroups", "{\\rtf1 a{\\b b{\\i c{{{d}}}}e}f}", "abcdef"},
    {"Tables",
     "{\\rtf1 \\trowd\\cellx1000\\cellx2000\\intbl A1\\cell B1\\cell\\row "
     "\\trowd\\cellx1000\\cellx2000\\intbl A2\\cell B2\\cell\\row after}",
     "A1\tB1\nA2\tB2\nafter"},
    {"PicturesAndBinaryData",
     "{\\rtf1 before{\\pict\\pngblip 89504e470d0a}{\\*\\shppict{\\pict\\bin4 }{}\\}}after}", "beforeafter"},
    {"FieldResultsNotInstructions",
     "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x.example\"}{\\fldrslt link}} here}",
     "see link here"},
    {"DestinationsWithoutText",
     "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}"
     "{\\info{\\title T}{\\author A}}{\\header H}{\\footer F}{\\footnote N}{\\*\\generator "
     "G;}{\\*\\unknownthing U}"
     "{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result shown}}text}",
     "showntext"},
    {"SpecialCharacters",
     "{\\rtf1 a\\tab b\\emdash c\\~d\\{\\}\\\\\\lquote x\\rquote\\ldblquote y\\rdblquote\\bullet}",
     "a\tb\xE2\x80\x94"
     "c\xC2\xA0"
     "d{}\\\xE2\x80\x98x\xE2\x80\x99\xE2\x80\x9Cy\xE2\x80\x9D\xE2\x80\xA2"},
    {"HiddenText", "{\\rtf1 shown{\\v hidden}\\v gone\\v0  back}", "shown back"},
    {"TrailingBytesAfterTheDocument", std::string("{\\rtf1 end}\r\n\0\0junk", 18), "end"},
    {"ControlWordParameters", "{\\rtf1\\fs-4\\li720 x\\sa0 y}", "xy"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RtfPlainText, testing::ValuesIn(kTextCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(RtfReader, KeepsRunFormats)
{
    const std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                            "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                            "\\f1\\fs28\\cf1\\b\\i\\ul\\strike X{\\b0 Y}\\plain Z\\cf2\\ulnone W}";
    RtfDocument document;
    RtfError error;
    ASSERT_TRUE(ReadRtf(rtf, &document, &error)) << error.describe();
    ASSERT_EQ(document.fonts.size(), 2u);
    EXPECT_EQ(document.fonts[1].name, "Courier New");
    ASSERT_EQ(document.runs.size(), 4u);
    const auto& x = document.runs[0].format;
    EXPECT_EQ(document.runs[0].text, "X");
    EXPECT_EQ(x.font, 1);
    EXPECT_EQ(x.halfPoints, 28);
    EXPECT_EQ(x.color, 0xFF0000u);
    EXPECT_TRUE(x.bold && x.italic && x.underline && x.strikeOut);
    EXPECT_EQ(document.runs[1].text, "Y");
    EXPECT_FALSE(document.runs[1].format.bold);
    EXPECT_TRUE(document.runs[1].format.italic);
    const auto& z = document.runs[2].format;
    EXPECT_EQ(document.runs[2].text, "Z");
    EXPECT_EQ(z.font, 0);
    EXPECT_EQ(z.halfPoints, 24);
    EXPECT_FALSE(z.color.has_value());
    EXPECT_FALSE(z.bold || z.italic || z.underline || z.strikeOut);
    EXPECT_EQ(document.runs[3].format.color, 0x0000FFu);
}

TEST(RtfReader, MalformedInputNamesTheProblem)
{
    struct Case
    {
        std::string rtf;
        std::size_t offset;
        const char* message;
    };
    const Case cases[] = {
        {"Hello, world", 0, "not a rich-text file"},
        {"", 0, "not a rich-text file"},
        {"{\\rtf1 abc{\\b x}", 16, "the file ends before 1 group(s) are closed"},
        {"{\\rtf1 " + std::string(600, '{'), 7 + 511, "nested deeper than 512"},
        {"{\\rtf1 \\'zz}", 7, "two hexadecimal digits"},
        {"{\\rtf1 \\'4", 7, "two hexadecimal digits"},
        {"{\\rtf1 \\bin99 ab}", 7, "binary data runs past the end"},
        {"{\\rtf1 \\" + std::string(40, 'a') + "}", 7, "longer than 32 letters"},
        {"{\\rtf1 \\fs123456789012}", 7, "more than 10 digits"},
        {"{\\rtf1 \\", 7, "ends after a backslash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf.substr(0, 40));
        std::string text;
        RtfError error;
        EXPECT_FALSE(RtfToPlainText(c.rtf, &text, &error));
        EXPECT_EQ(error.offset, c.offset);
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
        EXPECT_NE(error.describe().find("byte "), std::string::npos);
        RtfDocument document;
        EXPECT_FALSE(ReadRtf(c.rtf, &document, nullptr));
    }
}

TEST(RtfReader, DeepButAllowedNestingAndLongInputStayLinear)
{
    std::string rtf = "{\\rtf1 " + std::string(500, '{') + "x" + std::string(500, '}') + "}";
    std::string text;
    ASSERT_TRUE(RtfToPlainText(rtf, &text));
    EXPECT_EQ(text, "x");
    // Many \u escapes and groups in a row: a quadratic reader would take minutes here.
    std::string big = "{\\rtf1\\uc1 ";
    for (int i = 0; i < 200000; ++i)
        big += "{\\b\\u233?}\\'e9";
    big += "}";
    ASSERT_TRUE(RtfToPlainText(big, &text));
    EXPECT_EQ(text.size(), 200000u * 4);
}

} // namespace
