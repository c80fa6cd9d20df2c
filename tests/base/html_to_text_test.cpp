#include "base/html_to_text.h"
#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using narrix::HtmlToPlainText;
using narrix::HtmlToSpeechText;

namespace {

// A deliberately literal reading of the conversion rules: 1-based positions, in-place edits, and
// the "while the text contains" loops restarting from the beginning. Quadratic, but obviously
// faithful; the production code must agree with it byte for byte.
class LiteralConversion
{
public:
    explicit LiteralConversion(bool speech) : speech_(speech) {}

    std::string run(std::string s) const
    {
        if (speech_) {
            replaceAll(s, "\r\n", " ");
            replaceAll(s, "\r", " ");
            replaceAll(s, "\n", " ");
            replaceAll(s, "\t", " ");
        }
        tags(s);
        const char* const entities[][2] = {
            {"&nbsp;", " "},
            {"&nbsp", " "},
            {"&lt;", "<"},
            {"&gt;", ">"},
            {"&amp;", "&"},
            {"&quot;", "\""},
            {"&copy;", " "},
            {"&reg;", " "},
            {"&deg;C", " degrees Celsius"},
            {"&deg;F", " degrees Fahrenheit"},
            {"&#176;C", " degrees Celsius"},
            {"&#176;F", " degrees Fahrenheit"},
            {"&deg;", " degrees"},
            {"&#176;", " degrees"},
        };
        for (const auto& entity : entities)
            replaceAll(s, entity[0], entity[1]);
        size_t s0;
        while ((s0 = s.find("&#")) != std::string::npos) {
            size_t x = s0 + 3; // 1-based position s + 2
            while (x <= s.size() && isdigit(s[x - 1]))
                ++x;
            if (x > s.size())
                x = s.size();
            // The character after the digits is blanked whole, all its UTF-8 bytes.
            if ((static_cast<unsigned char>(s[x - 1]) & 0xC0) == 0xC0)
                while (x < s.size() && (static_cast<unsigned char>(s[x]) & 0xC0) == 0x80)
                    ++x;
            for (size_t k = s0 + 1; k <= x; ++k)
                s[k - 1] = ' ';
        }
        for (size_t i = 1; i + 1 <= s.size(); ++i) {
            if (i <= s.size() - 1 && s[i - 1] == '&' && s[i] != ' ')
                s[i - 1] = ' ';
        }
        whiteSpace(s);
        while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
            s.erase(0, 1);
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
            s.pop_back();
        const std::string leading = speech_ ? " ',.;" : "',.;";
        while (!s.empty() && leading.find(s.front()) != std::string::npos)
            s.erase(0, 1);
        return s;
    }

private:
    static bool isdigit(char c) { return c >= '0' && c <= '9'; }
    static bool punct(char c) { return std::string_view("!,.:;?").find(c) != std::string_view::npos; }

    static void replaceAll(std::string& s, const std::string& from, const std::string& to)
    {
        size_t pos = 0;
        while ((pos = s.find(from, pos)) != std::string::npos) {
            s.replace(pos, from.size(), to);
            pos += to.size();
        }
    }

    static std::string upper(std::string s)
    {
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        return s;
    }

    void tags(std::string& s) const
    {
        const size_t L = s.size();
        size_t p = 1;
        while (p <= L) {
            if (s[p - 1] != '<') {
                ++p;
                continue;
            }
            size_t e = L;
            int depth = 1;
            for (size_t q = p + 1; q <= L; ++q) {
                if (s[q - 1] == '<')
                    ++depth;
                if (s[q - 1] == '>')
                    --depth;
                if (depth == 0) {
                    e = q;
                    break;
                }
            }
            const std::string after = upper(s.substr(p, 6));
            const bool style = after.starts_with("STYLE");
            const bool script = !style && after.starts_with("SCRIPT");
            const bool anchor = !style && !script && (after.starts_with("A ") || after.starts_with("/A"));
            for (size_t k = p; k <= e; ++k)
                s[k - 1] = ' ';
            if (speech_ && !anchor)
                s[p - 1] = '\r';
            if (style || script) {
                const size_t found = upper(s).find(style ? "</STYLE" : "</SCRIPT", e); // 0-based e = after e
                if (found == std::string::npos) {
                    for (size_t k = e + 1; k <= L; ++k)
                        s[k - 1] = ' ';
                    return;
                }
                const size_t c = found + 1;
                for (size_t k = e + 1; k <= c - 1; ++k)
                    s[k - 1] = ' ';
                p = c;
                continue;
            }
            p = e + 1;
        }
    }

    void whiteSpace(std::string& s) const
    {
        const auto white = [this](char c) {
            return c == ' ' || c == '\r' || c == '\n' || (!speech_ && c == '\t');
        };
        size_t i = 0; // 0-based
        while (i < s.size()) {
            if (!white(s[i])) {
                ++i;
                continue;
            }
            size_t start = i;
            bool hasBreak = false;
            while (i < s.size() && white(s[i])) {
                hasBreak = hasBreak || s[i] == '\r' || s[i] == '\n';
                ++i;
            }
            if (i == s.size())
                break;
            s.erase(start, i - 1 - start); // the run shrinks to its last character, at start
            const char c = s[start + 1];
            if (punct(c)) {
                i = start + 2;
                continue;
            }
            s[start] = ' ';
            if (hasBreak) {
                if (!speech_) {
                    s.insert(start, "\r\n");
                    start += 2;
                } else if (start == 0 || !punct(s[start - 1])) {
                    s.insert(start, ".");
                    start += 1;
                }
            }
            i = start + 2;
        }
    }

    bool speech_;
};

std::string literalSpeech(const std::string& s)
{
    return LiteralConversion(true).run(s);
}

std::string literalPlain(const std::string& s)
{
    return LiteralConversion(false).run(s);
}

} // namespace

TEST(HtmlToSpeechText, TagsBecomeSentenceBreaksExceptAnchors)
{
    EXPECT_EQ(HtmlToSpeechText("<p>Hello</p><p>World</p>"), "Hello. World");
    EXPECT_EQ(HtmlToSpeechText("<p>Hello.</p><p>World</p>"), "Hello. World");
    EXPECT_EQ(HtmlToSpeechText("Read <a href=x>this story</a> now"), "Read this story now");
    EXPECT_EQ(HtmlToSpeechText("Read <A>this</A> now"), "Read. this now");
    // Any closing tag that begins with "/A" counts as an anchor end.
    EXPECT_EQ(HtmlToSpeechText("one</ADDRESS>two"), "one two");
    EXPECT_EQ(HtmlToSpeechText("Price:<br>10"), "Price: 10");
    EXPECT_EQ(HtmlToSpeechText("<!-- note -->Start"), "Start");
}

TEST(HtmlToSpeechText, SourceLineBreaksAreBlanks)
{
    EXPECT_EQ(HtmlToSpeechText("two\r\nlines"), "two lines");
    EXPECT_EQ(HtmlToSpeechText("a\r\r\n\tb\nc"), "a b c");
    EXPECT_EQ(HtmlToPlainText("two\r\nlines"), "two\r\n lines");
    EXPECT_EQ(HtmlToPlainText("a\tb\n.c"), "a b\n.c");
}

TEST(HtmlToText, StyleAndScriptBlocksAreDropped)
{
    for (auto* convert : {&HtmlToSpeechText, &HtmlToPlainText}) {
        EXPECT_EQ(convert("<style>p {color: red}</style>Text"), "Text");
        EXPECT_EQ(convert("<SCRIPT>if (a<b) x();</SCRIPT>Text"), "Text");
        EXPECT_EQ(convert("Before<script>var a = '<p>';"), "Before");
        EXPECT_EQ(convert("x<Style>a</sTyLe >y"), convert("x<b>y"));
    }
}

TEST(HtmlToText, LoneAngleBracketsOpenTags)
{
    EXPECT_EQ(HtmlToSpeechText("a < b and c > d"), "a. d");
    EXPECT_EQ(HtmlToPlainText("a < b and c > d"), "a d");
    EXPECT_EQ(HtmlToSpeechText("keep this < and lose the rest"), "keep this");
    EXPECT_EQ(HtmlToSpeechText("nested <a<b>c> d"), "nested. d");
    EXPECT_EQ(HtmlToPlainText("ends with <"), "ends with");
}

TEST(HtmlToText, EntitiesAreDecodedAfterTags)
{
    EXPECT_EQ(HtmlToSpeechText("20&deg;C"), "20 degrees Celsius");
    EXPECT_EQ(HtmlToSpeechText("20&#176;F"), "20 degrees Fahrenheit");
    EXPECT_EQ(HtmlToSpeechText("45&deg; angle"), "45 degrees angle");
    EXPECT_EQ(HtmlToSpeechText("AT&amp;T"), "AT T");
    EXPECT_EQ(HtmlToSpeechText("Fish &amp; Chips"), "Fish & Chips");
    EXPECT_EQ(HtmlToSpeechText("&mdash;"), "mdash;");
    EXPECT_EQ(HtmlToSpeechText("a&mdash;b"), "a mdash;b");
    // Decoded brackets never open or close a tag.
    EXPECT_EQ(HtmlToSpeechText("&lt;p&gt;kept&lt;/p&gt;"), "<p>kept</p>");
    EXPECT_EQ(HtmlToSpeechText("say &quot;hi&quot;&nbsp;now&nbspok"), "say \"hi\" now ok");
    // Upper-case spellings are not entities; their "&" is blanked.
    EXPECT_EQ(HtmlToSpeechText("x&NBSP;y"), "x NBSP;y");
    // "&amp;" leaves an "&" that the later rules (only those) see.
    EXPECT_EQ(HtmlToSpeechText("5&amp;deg;C"), "5 degrees Celsius");
    EXPECT_EQ(HtmlToSpeechText("a&amp;lt;b"), "a lt;b");
    EXPECT_EQ(HtmlToSpeechText("a &amp;amp; b"), "a amp; b");
}

TEST(HtmlToText, NumericReferencesAreBlanked)
{
    EXPECT_EQ(HtmlToSpeechText("it&#8217;s"), "it s");
    EXPECT_EQ(HtmlToSpeechText("A&#65 B"), "A B");
    EXPECT_EQ(HtmlToSpeechText("x&#x41;"), "x 41;");
    EXPECT_EQ(HtmlToSpeechText("tail&#12"), "tail");
    EXPECT_EQ(HtmlToSpeechText("&#1&#2&#3z"), "#2");
}

// A reference without its semicolon right before a character of several bytes blanks that whole
// character: the result is valid UTF-8 whenever the page is.
TEST(HtmlToText, OutputIsValidUtf8WhenTheInputIs)
{
    for (const std::string input : {"caf&#233\xc3\xa9 ok", "&#8217\xe2\x80\x99s", "x&#1\xf0\x9f\x98\x80y",
                                    "&#\xc3\xa9", "end&#12\xe2\x82\xac"}) {
        const std::string speech = HtmlToSpeechText(input);
        const std::string plain = HtmlToPlainText(input);
        EXPECT_TRUE(narrix::isValidUtf8(speech)) << input << " -> " << speech;
        EXPECT_TRUE(narrix::isValidUtf8(plain)) << input << " -> " << plain;
    }
    EXPECT_EQ(HtmlToSpeechText("caf&#233\xc3\xa9 ok"), "caf ok");
}

TEST(HtmlToText, LeadingPunctuationAndEmptyInput)
{
    EXPECT_EQ(HtmlToSpeechText(", ;text"), "text");
    EXPECT_EQ(HtmlToSpeechText(". text"), "text");
    EXPECT_EQ(HtmlToPlainText("'. text"), " text");
    EXPECT_EQ(HtmlToPlainText(".\r\nnext"), "\r\n next");
    EXPECT_EQ(HtmlToSpeechText(""), "");
    EXPECT_EQ(HtmlToPlainText(""), "");
    EXPECT_EQ(HtmlToSpeechText("<br><p>"), "");
}

TEST(HtmlToText, MultiByteTextPassesThrough)
{
    EXPECT_EQ(HtmlToSpeechText("<b>caf\xc3\xa9</b>\xe2\x80\x94ok"), "caf\xc3\xa9. \xe2\x80\x94ok");
}

TEST(HtmlToText, AgreesWithLiteralRulesOnExamples)
{
    const std::vector<std::string> samples = {
        "<html><head><title>T</title><style>b{}</style></head><body><p>One.</p>\r\n<p>Two</p></body></html>",
        "<ul><li>a</li>\n<li>b</li></ul> , end",
        "x\r\n\r\n<br>\t, y ; z",
        "&#&#&&&#9;&amp;&amp;&&gt;",
        "<script>a</scrip</script><a href=1>link</a>:<p>?",
        "   \r\n  ",
    };
    for (const auto& s : samples) {
        EXPECT_EQ(HtmlToSpeechText(s), literalSpeech(s)) << s;
        EXPECT_EQ(HtmlToPlainText(s), literalPlain(s)) << s;
    }
}

TEST(HtmlToText, AgreesWithLiteralRulesOnRandomInput)
{
    const std::vector<std::string> pieces = {
        "<",
        ">",
        "&",
        "#",
        "0",
        "1",
        "7",
        "6",
        "176",
        "a",
        "b",
        "A",
        "C",
        "F",
        "x",
        " ",
        "  ",
        "\r",
        "\n",
        "\r\n",
        "\t",
        "!",
        ",",
        ".",
        ":",
        ";",
        "?",
        "'",
        "\"",
        "/",
        "nbsp",
        "lt;",
        "gt;",
        "amp;",
        "quot;",
        "copy;",
        "reg;",
        "deg;",
        "&#176;",
        "style",
        "STYLE",
        "script",
        "</script",
        "</style",
        "<a ",
        "</a",
        "<A>",
        "&amp;",
        "&nbsp;",
        "&deg;C",
        "\xc3\xa9",
        "         ",
        "<p class=\"long attribute\">",
    };
    std::mt19937 rng(20261208);
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        const int count = static_cast<int>(rng() % 40);
        for (int k = 0; k < count; ++k)
            s += pieces[rng() % pieces.size()];
        ASSERT_EQ(HtmlToSpeechText(s), literalSpeech(s)) << "input: " << testing::PrintToString(s);
        ASSERT_EQ(HtmlToPlainText(s), literalPlain(s)) << "input: " << testing::PrintToString(s);
    }
}
