// The clean-up of SpeakBuffer against a literal, step-by-step reading of its rules.
#include "speech/speech_text_cleanup.h"

#include <QList>
#include <QString>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace narrix {
namespace {

// Literal implementation: positions from 1, each rule applied as written, searching again from the
// start where the rule says "while" (quadratic, which is fine for short texts).
std::string literalClean(const std::string& input, bool english)
{
    std::string s;
    if (english) {
        const QString text = QString::fromUtf8(input.data(), static_cast<qsizetype>(input.size()));
        for (const uint c : text.toUcs4()) {
            if (c < 128)
                s.push_back(static_cast<char>(c));
            else
                s.push_back(c == 0x2019 || c == 0xB4 ? '\'' : ' ');
        }
    } else {
        s = input;
    }
    auto at = [&](std::size_t p) -> char& { return s[p - 1]; };

    for (char c : std::string("=*/\\#_<>-+")) {
        const std::string three(3, c);
        for (std::size_t found = s.find(three); found != std::string::npos; found = s.find(three)) {
            for (std::size_t k = found; k < s.size() && s[k] == c; ++k)
                s[k] = ' ';
        }
    }
    const std::size_t length = s.size();
    for (std::size_t p = 1; length >= 3 && p <= length - 3; ++p) {
        if (at(p) == '.' && at(p + 1) == '.' && at(p + 2) == '.') {
            for (std::size_t k = p + 3; k <= length && at(k) == '.'; ++k)
                at(k) = ' ';
        }
    }
    for (std::size_t p = 2; p <= length; ++p) {
        if (at(p) != '.')
            continue;
        for (std::size_t q = p - 1; q >= 1; --q) {
            const char c = at(q);
            if (c != '\r' && c != '\n' && c != ' ' && c != '.' && c != '?' && c != '!')
                break;
            at(q) = ' ';
        }
    }
    for (std::size_t found = s.find("U.S."); found != std::string::npos; found = s.find("U.S."))
        s.replace(found, 4, "US");
    while (!s.empty() && (s[0] == ' ' || s[0] == '\'' || s[0] == ',' || s[0] == '.' || s[0] == ';'))
        s.erase(0, 1);
    return s;
}

TEST(SpeechTextCleanup, ExamplesOfTheRules)
{
    const struct
    {
        const char* in;
        bool english;
        const char* out;
    } cases[] = {
        {"Hello!.", false, "Hello ."},
        {"Wait....", false, "Wait  . "},
        {"========", false, ""},
        {"a ----- b", false, "a       b"},
        {"a--b", false, "a--b"},
        {"U.S. Army", false, "US Army"},
        {"caf\xC3\xA9", true, "caf "},
        {"caf\xC3\xA9", false, "caf\xC3\xA9"},
        {"it\xE2\x80\x99s", true, "it's"},
        {"acute\xC2\xB4s", true, "acute's"},
        {"x\xE2\x82\xAC"
         "5",
         true, "x 5"}, // the euro sign is one blank, not three
        {"x\xF0\x9F\x98\x80!", true, "x !"},
        {"...,;", false, ""},
        {" ;'hello", false, "hello"},
        {"Stop . . . . now.", false, "Stop       . now."},
        {"Line one\r\n.", false, "Line one  ."},
        {"U.S.S. Enterprise", false, "USS. Enterprise"},
        {"a*b**c***d", false, "a*b**c   d"},
        {"<<<>>>", false, ""},
        {"x.y", false, "x.y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanSpeechText(c.in, c.english), c.out) << "input: " << c.in;
}

TEST(SpeechTextCleanup, InvalidUtf8BytesBecomeOneBlankEach)
{
    EXPECT_EQ(CleanSpeechText("a\xFF\xFE"
                              "b",
                              true),
              "a  b");
    EXPECT_EQ(CleanSpeechText("a\xC3", true), "a ");        // truncated sequence at the end
    EXPECT_EQ(CleanSpeechText("a\xE2\x80z", true), "a  z"); // truncated in the middle
    EXPECT_EQ(CleanSpeechText("a\xC0\xAF"
                              "b",
                              true),
              "a  b"); // overlong form
    EXPECT_EQ(CleanSpeechText("a\xED\xA0\x80"
                              "b",
                              true),
              "a   b"); // surrogate code point
}

TEST(SpeechTextCleanup, MatchesTheLiteralRulesOnRandomTexts)
{
    const std::vector<std::string> pieces = {
        "=",        "*",        "/",           "\\", "#",  "_",  "<",
        ">",        "-",        "+",           ".",  ".",  ".",  "?",
        "!",        " ",        " ",           "\r", "\n", "U",  "S",
        "a",        "b",        "'",           ",",  ";",  "\t", "\xE2\x80\x99",
        "\xC2\xB4", "\xC3\xA9", "\xE2\x82\xAC"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            text += pieces[pick(random)];
        const bool english = (round & 1) != 0;
        ASSERT_EQ(CleanSpeechText(text, english), literalClean(text, english))
            << "input: [" << text << "] english " << english;
    }
}

TEST(SpeechTextCleanup, LongInputsStayLinear)
{
    // Patterns that make a literal reading quadratic; they must finish at once and agree with it
    // on a smaller size.
    std::string dots;
    for (int i = 0; i < 2000; ++i)
        dots += ". ";
    EXPECT_EQ(CleanSpeechText(dots, false), literalClean(dots, false));
    std::string big;
    for (int i = 0; i < 2'000'000; ++i)
        big += "? .";
    const std::string cleaned = CleanSpeechText(big, true);
    EXPECT_TRUE(cleaned.empty());
}

TEST(SpeechTextCleanup, CuttingBetweenLettersChangesNothing)
{
    const std::vector<std::string> pieces = {"=",       "-", "-", ".", ".", "?", "!", " ", "\n",
                                             "U",       "S", "a", "b", "1", "'", ",", ";", "\xE2\x80\x99",
                                             "\xC3\xA9"};
    std::mt19937 random(77);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    int cuts = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int n = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < n; ++i)
            text += pieces[pick(random)];
        const std::size_t cut = speechTextCut(text, random() % text.size());
        if (cut == std::string::npos)
            continue;
        ++cuts;
        const bool english = (round & 1) != 0;
        std::string head = text.substr(0, cut);
        std::string rest = text.substr(cut);
        CleanSpeechTextInPlace(head, english);
        CleanSpeechTextInPlace(rest, english, false);
        ASSERT_EQ(head + rest, CleanSpeechText(text, english)) << "input: [" << text << "] cut " << cut;
    }
    EXPECT_GT(cuts, 1000);
    EXPECT_EQ(speechTextCut("ab", 0), 1u);
    EXPECT_EQ(speechTextCut("a b.c", 0), std::string::npos);
    EXPECT_EQ(speechTextCut("xx yy", 2, 10), 4u);
    EXPECT_EQ(speechTextCut("xx yy", 2, 1), std::string::npos);
}
} // namespace
} // namespace narrix
