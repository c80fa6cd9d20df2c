#include "base/rtf_reader.h"
#include "base/rtf_writer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using narrix::ReadRtf;
using narrix::RtfDocument;
using narrix::RtfError;
using narrix::RtfFont;
using narrix::RtfRun;
using narrix::RtfTextFormat;
using narrix::WriteRtf;

namespace {

RtfTextFormat format(int font, int halfPoints, std::optional<std::uint32_t> color, bool bold, bool italic,
                     bool underline, bool strike)
{
    RtfTextFormat f;
    f.font = font;
    f.halfPoints = halfPoints;
    f.color = color;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    f.strikeOut = strike;
    return f;
}

// Text that needs every kind of escape, in every format the writer knows.
RtfDocument sampleDocument(bool beyondPlaneZero = true)
{
    RtfDocument d;
    d.fonts = {RtfFont{"Arial"}, RtfFont{"DejaVu Sans Mono"}, RtfFont{"Caf\xC3\xA9 Serif"}};
    d.runs = {
        {"Plain start: braces {} and a back\\slash.\n",
         format(0, 24, std::nullopt, false, false, false, false)},
        {"Bold caf\xC3\xA9 ", format(0, 24, std::nullopt, true, false, false, false)},
        {"italic \xE4\xBD\xA0\xE5\xA5\xBD ", format(1, 20, 0xFF0000, false, true, false, false)},
        {"underlined\tcolumn ", format(2, 36, 0x00FF00, false, false, true, false)},
        {beyondPlaneZero ? "struck \xF0\x9F\x98\x8A emoji\n" : "struck \xE2\x82\xAC euro\n",
         format(0, 24, 0xFF0000, true, true, true, true)},
        {"1234 digits after a control word\nlast line",
         format(0, 24, std::nullopt, false, false, false, false)},
    };
    return d;
}

TEST(RtfWriter, RoundTripThroughTheReaderKeepsTextAndFormat)
{
    const RtfDocument written = sampleDocument();
    const std::string rtf = WriteRtf(written);
    RtfDocument read;
    RtfError error;
    ASSERT_TRUE(ReadRtf(rtf, &read, &error)) << error.describe() << "\n" << rtf;
    EXPECT_EQ(read.fonts, written.fonts);
    ASSERT_EQ(read.runs.size(), written.runs.size()) << rtf;
    for (std::size_t i = 0; i < read.runs.size(); ++i) {
        EXPECT_EQ(read.runs[i].text, written.runs[i].text) << i;
        EXPECT_EQ(read.runs[i].format, written.runs[i].format) << i;
    }
    // Pure ASCII output: every character beyond it went out as \uN with a fallback.
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
    EXPECT_NE(rtf.find("\\u20320\\'3f"), std::string::npos);
    EXPECT_NE(rtf.find("\\u-10179\\'3f\\u-8694\\'3f"), std::string::npos); // U+1F60A as a surrogate pair
}

TEST(RtfWriter, UnformattedTextGetsTheDefaultFontAndDropsControlCharacters)
{
    RtfDocument d;
    d.append(std::string("a\x01"
                         "b\r\xFF"
                         "c",
                         6),
             RtfTextFormat{});
    const std::string rtf = WriteRtf(d, "Liberation Serif");
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Liberation Serif;}"), std::string::npos);
    std::string text;
    ASSERT_TRUE(narrix::RtfToPlainText(rtf, &text));
    EXPECT_EQ(text, "ab\xEF\xBF\xBD"
                    "c"); // the invalid byte became U+FFFD
}

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// An independent reader (pandoc, installed by scripts/setup.sh) sees the same words. Its plain-text
// output marks struck text with "~~", and it does not join surrogate pairs, so the sample stays in
// the first Unicode plane.
TEST(RtfWriter, IndependentReaderReadsTheSameWords)
{
    const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
    ASSERT_FALSE(pandoc.isEmpty()) << "pandoc is not installed (scripts/packages.txt lists it)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("written.rtf"));
    const RtfDocument document = sampleDocument(false);
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << WriteRtf(document);
    }
    QProcess process;
    process.start(pandoc, {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"),
                           QStringLiteral("plain"), QStringLiteral("--wrap=none"), path});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    std::string converted = process.readAllStandardOutput().toStdString();
    std::erase(converted, '~');
    EXPECT_EQ(words(converted), words(document.plainText())) << converted;
}

} // namespace
