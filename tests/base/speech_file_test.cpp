// Local files read for speech: which are HTML, and how they are decoded.
#include "base/speech_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using namespace narrix;

TEST(SpeechFile, KindFromTheEndOfTheName)
{
    const std::pair<const char*, SpeechFileKind> kinds[] = {
        {"report.HTML", SpeechFileKind::Html},     {"report.htm", SpeechFileKind::Html},
        {"REPORT.Htm", SpeechFileKind::Html},      {"notes.rtf", SpeechFileKind::RichText},
        {"notes.txt", SpeechFileKind::PlainText},  {"notes", SpeechFileKind::PlainText},
        {"page.shtml", SpeechFileKind::PlainText}, {"page.xhtml", SpeechFileKind::PlainText},
    };
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(speechFileKindOf(name), kind) << name;
}

TEST(SpeechFile, ReadInTheirEncodingAndHtmlIsConverted)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    EXPECT_EQ(readSpeechFile(write("a.txt", "Caf\xe9 <b>bold</b>")), "Caf\xc3\xa9 <b>bold</b>");
    EXPECT_EQ(readSpeechFile(write("a.html", "<p>Caf\xc3\xa9</p>")), "Caf\xc3\xa9");
    // An HTML file in its <meta> charset.
    EXPECT_EQ(readSpeechFile(write("b.HTM", "<meta charset=\"ISO-8859-1\"><b>Caf\xe9</b>")), "Caf\xc3\xa9");
    std::string error;
    EXPECT_FALSE(readSpeechFile(dir.filePath(QStringLiteral("missing.txt")).toStdString(), &error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    EXPECT_FALSE(readSpeechFile(dir.path().toStdString(), &error));
}

TEST(SpeechFile, RichTextThroughTheRtfReader)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"a.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}Caf\\'e9\\par Two}", "Caf\xc3\xa9\nTwo"},
        {"b.RTF", "  {\\rtf1 {\\*\\unknown skipped}Kept}", "Kept"},
        // Not rich text inside: read as plain text in its encoding.
        {"c.rtf", "Caf\xe9 {\\b}", "Caf\xc3\xa9 {\\b}"},
        // Rich text content under another name stays plain characters.
        {"d.txt", "{\\rtf1 Kept}", "{\\rtf1 Kept}"},
        // Malformed rich text is an error, not a guess.
        {"e.rtf", "{\\rtf1 {\\b open", std::nullopt},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(speechTextOfFile(c.name, c.bytes, &error), c.text) << c.name;
        EXPECT_EQ(error.empty(), c.text.has_value()) << c.name << ": " << error;
    }
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("broken.rtf")).toStdString();
    std::ofstream(path, std::ios::binary) << "{\\rtf1 {\\b open";
    std::string error;
    EXPECT_FALSE(readSpeechFile(path, &error));
    EXPECT_EQ(error.rfind(path + ": byte ", 0), 0u) << error;
}
