// The clean-up of SpeakBuffer against a literal, step-by-step reading of its rules.
#include "speech/speech_text_cleanup.h"

#include "speech/latin_folding.h"

#include <QList>
#include <QString>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace narrix {
namespace {

// The folding of characters beyond ASCII as the rule says it: decompose (NFD), drop the combining
// marks, spell the letters that do not decompose, keep the symbols the voice reads, blank the rest.
std::string literalFold(const std::string& input, AsciiFolding folding)
{
    const QString decomposed = QString::fromUtf8(input.data(), static_cast<qsizetype>(input.size()))
                                   .normalized(QString::NormalizationForm_D);
    const std::map<uint, std::string> undecomposable = {{0xDF, "ss"}, {0xE6, "ae"}, {0xC6, "AE"},
                                                        {0xF8, "o"},  {0x141, "L"}, {0x153, "oe"}};
    std::string s;
    for (const uint c : decomposed.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (c < 128)
            s.push_back(static_cast<char>(c));
        else if (c == 0x2019 || c == 0xB4)
            s.push_back('\'');
        else if (category == QChar::Mark_NonSpacing)
            continue;
        else if (undecomposable.count(c))
            s += undecomposable.at(c);
        else if (folding == AsciiFolding::LettersAndSymbols && isSpokenSymbol(c))
            s += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toStdString();
        else
            s.push_back(' ');
    }
    return s;
}

// Literal implementation: positions from 1, each rule applied as written, searching again from the
// start where the rule says "while" (quadratic, which is fine for short texts).
std::string literalClean(const std::string& input, AsciiFolding folding)
{
    std::string s = folding == AsciiFolding::None ? input : literalFold(input, folding);
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

constexpr AsciiFolding None = AsciiFolding::None;
constexpr AsciiFolding Letters = AsciiFolding::Letters;
constexpr AsciiFolding Symbols = AsciiFolding::LettersAndSymbols;
constexpr AsciiFolding kFoldings[] = {None, Letters, Symbols};

TEST(SpeechTextCleanup, ExamplesOfTheRules)
{
    const struct
    {
        const char* in;
        AsciiFolding folding;
        const char* out;
    } cases[] = {
        {"Hello!.", None, "Hello ."},
        {"Wait....", None, "Wait  . "},
        {"========", None, ""},
        {"a ----- b", None, "a       b"},
        {"a--b", None, "a--b"},
        {"U.S. Army", None, "US Army"},
        {"caf\xC3\xA9", Symbols, "cafe"},
        {"cafe\xCC\x81 M\xC3\xBCller", Letters, "cafe Muller"},
        {"Stra\xC3\x9F"
         "e \xC5\x93uvre \xC3\x98resund \xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         Letters, "Strasse oeuvre Oresund Lodz"},
        {"Vi\xE1\xBB\x87t Nam \xC7\x96", Letters, "Viet Nam u"},
        {"30\xC2\xB0 \xC2\xA3"
         "5 \xC2\xA9",
         Symbols,
         "30\xC2\xB0 \xC2\xA3"
         "5 \xC2\xA9"},
        {"30\xC2\xB0 \xC2\xA3"
         "5",
         Letters, "30   5"},
        {"\xD0\x94\xD0\xB0 3\xC3\x97"
         "4",
         Symbols,
         "3\xC3\x97"
         "4"},
        {"caf\xC3\xA9", None, "caf\xC3\xA9"},
        {"it\xE2\x80\x99s", Letters, "it's"},
        {"acute\xC2\xB4s", Symbols, "acute's"},
        {"x\xE2\x82\xAC"
         "5",
         Letters, "x 5"}, // the euro sign is one blank, not three, for a voice that cannot read it
        {"x\xE2\x82\xAC"
         "5",
         Symbols,
         "x\xE2\x82\xAC"
         "5"},
        {"x\xF0\x9F\x98\x80!", Symbols, "x !"},
        {"...,;", None, ""},
        {" ;'hello", None, "hello"},
        {"Stop . . . . now.", None, "Stop       . now."},
        {"Line one\r\n.", None, "Line one  ."},
        {"U.S.S. Enterprise", None, "USS. Enterprise"},
        {"a*b**c***d", None, "a*b**c   d"},
        {"<<<>>>", None, ""},
        {"x.y", None, "x.y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanSpeechText(c.in, c.folding), c.out) << "input: " << c.in;
}

TEST(SpeechTextCleanup, InvalidUtf8BytesBecomeOneBlankEach)
{
    EXPECT_EQ(CleanSpeechText("a\xFF\xFE"
                              "b",
                              Letters),
              "a  b");
    EXPECT_EQ(CleanSpeechText("a\xC3", Symbols), "a ");        // truncated sequence at the end
    EXPECT_EQ(CleanSpeechText("a\xE2\x80z", Letters), "a  z"); // truncated in the middle
    EXPECT_EQ(CleanSpeechText("a\xC0\xAF"
                              "b",
                              Letters),
              "a  b"); // overlong form
    EXPECT_EQ(CleanSpeechText("a\xED\xA0\x80"
                              "b",
                              Letters),
              "a   b"); // surrogate code point
}

TEST(SpeechTextCleanup, MatchesTheLiteralRulesOnRandomTexts)
{
    const std::vector<std::string> pieces = {"=",
                                             "*",
                                             "/",
                                             "\\",
                                             "#",
                                             "_",
                                             "<",
                                             ">",
                                             "-",
                                             "+",
                                             ".",
                                             ".",
                                             ".",
                                             "?",
                                             "!",
                                             " ",
                                             " ",
                                             "\r",
                                             "\n",
                                             "U",
                                             "S",
                                             "a",
                                             "b",
                                             "'",
                                             ",",
                                             ";",
                                             "\t",
                                             "\xE2\x80\x99",
                                             "\xC2\xB4",
                                             "\xC3\xA9",
                                             "\xE2\x82\xAC",
                                             "e\xCC\x81",
                                             "\xC3\x9F",
                                             "\xC3\xBC",
                                             "\xC2\xB0",
                                             "\xD0\xB4",
                                             "\xC5\x81",
                                             "\xE1\xBB\x87"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            text += pieces[pick(random)];
        const AsciiFolding folding = kFoldings[round % 3];
        ASSERT_EQ(CleanSpeechText(text, folding), literalClean(text, folding))
            << "input: [" << text << "] folding " << static_cast<int>(folding);
    }
}

TEST(SpeechTextCleanup, LongInputsStayLinear)
{
    // Patterns that make a literal reading quadratic; they must finish at once and agree with it
    // on a smaller size.
    std::string dots;
    for (int i = 0; i < 2000; ++i)
        dots += ". ";
    EXPECT_EQ(CleanSpeechText(dots, None), literalClean(dots, None));
    std::string big;
    for (int i = 0; i < 2'000'000; ++i)
        big += "? .";
    const std::string cleaned = CleanSpeechText(big, Symbols);
    EXPECT_TRUE(cleaned.empty());
}

TEST(SpeechTextCleanup, CuttingBetweenLettersChangesNothing)
{
    const std::vector<std::string> pieces = {
        "=",        "-",        "-",         ".",           ".", "?", "!", " ", "\n",
        "U",        "S",        "a",         "b",           "1", "'", ",", ";", "\xE2\x80\x99",
        "\xC3\xA9", "\xC3\x9F", "e\xCC\x81", "\xE2\x82\xAC"};
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
        const AsciiFolding folding = kFoldings[round % 3];
        std::string head = text.substr(0, cut);
        std::string rest = text.substr(cut);
        CleanSpeechTextInPlace(head, folding);
        CleanSpeechTextInPlace(rest, folding, false);
        ASSERT_EQ(head + rest, CleanSpeechText(text, folding)) << "input: [" << text << "] cut " << cut;
    }
    EXPECT_GT(cuts, 1000);
    EXPECT_EQ(speechTextCut("ab", 0), 1u);
    EXPECT_EQ(speechTextCut("a b.c", 0), std::string::npos);
    EXPECT_EQ(speechTextCut("xx yy", 2, 10), 4u);
    EXPECT_EQ(speechTextCut("xx yy", 2, 1), std::string::npos);
}
} // namespace
} // namespace narrix
