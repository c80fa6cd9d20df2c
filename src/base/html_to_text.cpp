#include "base/html_to_text.h"

#include "base/text_trim.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

// The conversion is eight passes in a fixed order (see convert() at the end). Each is one
// left-to-right pass that never restarts its search from the beginning after a change: a change can
// only create a new match in the few places noted at each pass, and those are handled where they
// arise. That keeps the whole conversion linear in the length of the text.

namespace narrix {
namespace {

enum class Mode { Speech, Document };

bool isBreakPunctuation(char c)
{
    return c == '!' || c == ',' || c == '.' || c == ':' || c == ';' || c == '?';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when text[at...] begins with `upper` when compared upper-cased.
bool startsWithUpper(std::string_view text, size_t at, std::string_view upper)
{
    if (at > text.size() || text.size() - at < upper.size())
        return false;
    for (size_t i = 0; i < upper.size(); ++i) {
        if (upperAscii(text[at + i]) != upper[i])
            return false;
    }
    return true;
}

// Line breaks (speech): CR LF -> blank, then lone CR, LF and TAB -> blank. In place: the text only
// shrinks.
void blankLineBreaks(std::string& text)
{
    const size_t n = text.size();
    char* const s = text.data();
    size_t w = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            s[w++] = ' ';
            if (c == '\r' && i + 1 < n && s[i + 1] == '\n')
                ++i;
        } else {
            s[w++] = c;
        }
    }
    text.resize(w);
}

enum class TagKind { Ordinary, Anchor, Style, Script };

TagKind classifyTag(std::string_view text, size_t afterLt)
{
    if (startsWithUpper(text, afterLt, "STYLE"))
        return TagKind::Style;
    if (startsWithUpper(text, afterLt, "SCRIPT"))
        return TagKind::Script;
    if (startsWithUpper(text, afterLt, "A ") || startsWithUpper(text, afterLt, "/A"))
        return TagKind::Anchor;
    return TagKind::Ordinary;
}

// Position of the first case-insensitive occurrence of `upper` at or after `from`, or npos.
size_t findUpper(std::string_view text, size_t from, std::string_view upper)
{
    const char first = upper.front(); // '<' for the closing tags searched here
    while (from < text.size()) {
        const void* hit = std::memchr(text.data() + from, first, text.size() - from);
        if (hit == nullptr)
            return std::string_view::npos;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
        if (startsWithUpper(text, at, upper))
            return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

// Tags: blank every tag in place; in speech mode all but anchors leave a CR break mark. The scan
// only ever reads characters it has not changed yet, so it sees the source text throughout.
void blankTags(std::string& text, Mode mode)
{
    const size_t n = text.size();
    size_t p = 0;
    while (p < n) {
        const void* lt = std::memchr(text.data() + p, '<', n - p);
        if (lt == nullptr)
            return;
        p = static_cast<size_t>(static_cast<const char*>(lt) - text.data());

        size_t e = n - 1; // a tag that never closes runs to the end of the text
        size_t depth = 1;
        for (size_t i = p + 1; i < n; ++i) {
            if (text[i] == '<') {
                ++depth;
            } else if (text[i] == '>' && --depth == 0) {
                e = i;
                break;
            }
        }

        const TagKind kind = classifyTag(text, p + 1);
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(p),
                  text.begin() + static_cast<std::ptrdiff_t>(e + 1), ' ');
        if (mode == Mode::Speech && kind != TagKind::Anchor)
            text[p] = '\r';

        if (kind == TagKind::Style || kind == TagKind::Script) {
            const size_t close = findUpper(text, e + 1, kind == TagKind::Style ? "</STYLE" : "</SCRIPT");
            const size_t blankEnd = close == std::string_view::npos ? n : close;
            std::fill(text.begin() + static_cast<std::ptrdiff_t>(e + 1),
                      text.begin() + static_cast<std::ptrdiff_t>(blankEnd), ' ');
            if (close == std::string_view::npos)
                return;
            p = close; // the closing tag is then blanked as an ordinary tag
        } else {
            p = e + 1;
        }
    }
}

struct Entity
{
    std::string_view find;
    std::string_view replace;
};

// Replaced in this order; the first four and "&amp;" (the fifth) come before the rest.
constexpr std::array<Entity, 4> kEarlyEntities{{
    {"&nbsp;", " "},
    {"&nbsp", " "},
    {"&lt;", "<"},
    {"&gt;", ">"},
}};
constexpr std::string_view kAmp = "&amp;";
constexpr std::array<Entity, 9> kLateEntities{{
    {"&quot;", "\""},
    {"&copy;", " "},
    {"&reg;", " "},
    {"&deg;C", " degrees Celsius"},
    {"&deg;F", " degrees Fahrenheit"},
    {"&#176;C", " degrees Celsius"},
    {"&#176;F", " degrees Fahrenheit"},
    {"&deg;", " degrees"},
    {"&#176;", " degrees"},
}};

// Named entities: the entity table applied as fourteen ordered replace-all passes would apply it. Every
// pattern is "&" plus characters that are never "&" and never begin a replacement, so a match is
// confined to one "&" and the text up to the next "&"; the only cross-rule effect is that "&amp;"
// leaves a new "&", which the rules after it (and only those) may match together with the text that
// follows. The text is rewritten in place until a replacement is longer than what it replaces (the
// degree entities); from there on the result is built in a second string.
void decodeNamedEntities(std::string& text)
{
    const std::string_view in = text;
    size_t w = 0;
    std::string grown;
    bool inPlace = true;
    const auto emit = [&](std::string_view piece) {
        if (inPlace) {
            std::memmove(text.data() + w, piece.data(), piece.size());
            w += piece.size();
        } else {
            grown.append(piece);
        }
    };
    const auto replace = [&](std::string_view replacement, size_t replaced) {
        if (inPlace && replacement.size() > replaced) {
            grown.reserve(in.size() + in.size() / 8);
            grown.assign(text.data(), w);
            inPlace = false;
        }
        emit(replacement);
    };

    size_t i = 0;
    while (i < in.size()) {
        const void* amp = std::memchr(in.data() + i, '&', in.size() - i);
        if (amp == nullptr) {
            emit(in.substr(i));
            break;
        }
        const size_t a = static_cast<size_t>(static_cast<const char*>(amp) - in.data());
        emit(in.substr(i, a - i));
        const std::string_view rest = in.substr(a);

        const auto early = std::find_if(kEarlyEntities.begin(), kEarlyEntities.end(),
                                        [&](const Entity& en) { return rest.starts_with(en.find); });
        if (early != kEarlyEntities.end()) {
            replace(early->replace, early->find.size());
            i = a + early->find.size();
            continue;
        }
        // The "&" the late rules look at, and the text behind it.
        const size_t bodyStart = rest.starts_with(kAmp) ? a + kAmp.size() : a + 1;
        const std::string_view body = in.substr(bodyStart);
        const auto late = std::find_if(kLateEntities.begin(), kLateEntities.end(),
                                       [&](const Entity& en) { return body.starts_with(en.find.substr(1)); });
        if (late != kLateEntities.end()) {
            const size_t end = bodyStart + late->find.size() - 1;
            replace(late->replace, end - a);
            i = end;
        } else {
            emit("&");
            i = bodyStart;
        }
    }
    if (inPlace)
        text.resize(w);
    else
        text = std::move(grown);
}

// Numeric references: "&#", the digits after it and the first character after the digits become
// blanks; a character of several UTF-8 bytes is blanked whole, so no stray byte of it is left. The
// blanked stretch never ends in "&", so no new "&#" can appear and the search goes on behind it.
void blankNumericReferences(std::string& text)
{
    const size_t n = text.size();
    size_t i = 0;
    while ((i = text.find("&#", i)) != std::string::npos) {
        size_t last = i + 2;
        while (last < n && isDigit(text[last]))
            ++last;
        if (last >= n)
            last = n - 1;
        if ((static_cast<unsigned char>(text[last]) & 0xC0) == 0xC0) {
            while (last + 1 < n && (static_cast<unsigned char>(text[last + 1]) & 0xC0) == 0x80)
                ++last;
        }
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(i),
                  text.begin() + static_cast<std::ptrdiff_t>(last + 1), ' ');
        i = last + 1;
    }
}

// Loose ampersands: an "&" that is followed by anything but a blank becomes a blank.
void blankLooseAmpersands(std::string& text)
{
    const size_t n = text.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const void* amp = std::memchr(text.data() + i, '&', n - 1 - i);
        if (amp == nullptr)
            return;
        i = static_cast<size_t>(static_cast<const char*>(amp) - text.data());
        if (text[i + 1] != ' ')
            text[i] = ' ';
    }
}

// White space: each run of white space that is followed by a visible character shrinks to one character;
// before anything but break punctuation it becomes a blank, and a run that held a line break (or a
// tag's break mark) becomes a sentence break (speech) or a new line (document).
//
// Speech text is rewritten in place: a run with a break mark holds the mark and the blank after it
// (every tag but a lone "<" at the very end is two characters at least), so ". " and the character
// after the run never take more room than the run and that character did. The document conversion
// can grow ("\n" becomes "\r\n ") and writes into a buffer of twice the size.
void collapseWhiteSpace(std::string& text, Mode mode)
{
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    const auto isWhite = [mode](char c) {
        return c == ' ' || c == '\r' || c == '\n' || (mode == Mode::Document && c == '\t');
    };
    const size_t n = text.size();
    const char* const in = text.data();
    std::unique_ptr<char[]> buffer;
    if (mode == Mode::Document)
        buffer = std::make_unique_for_overwrite<char[]>(2 * n + 1);
    char* const begin = mode == Mode::Document ? buffer.get() : text.data();
    char* o = begin;
    size_t i = 0;
    while (i < n) {
        if (!isWhite(in[i])) {
            *o++ = in[i++];
            continue;
        }
        const size_t runStart = i;
        bool hasBreak = false;
        while (i < n) {
            // Blanked tags leave long runs of blanks: step over eight at a time.
            if (i + 8 <= n) {
                std::uint64_t eight;
                std::memcpy(&eight, in + i, sizeof eight);
                if (eight == kEightBlanks) {
                    i += 8;
                    continue;
                }
            }
            if (!isWhite(in[i]))
                break;
            hasBreak = hasBreak || in[i] == '\r' || in[i] == '\n';
            ++i;
        }
        if (i == n) {
            // A run at the end stays as it is.
            std::memmove(o, in + runStart, n - runStart);
            o += n - runStart;
            break;
        }
        const char last = in[i - 1];
        const char next = in[i];
        if (isBreakPunctuation(next)) {
            *o++ = last;
        } else {
            if (hasBreak) {
                if (mode == Mode::Document) {
                    *o++ = '\r';
                    *o++ = '\n';
                } else if (o == begin || !isBreakPunctuation(o[-1])) {
                    *o++ = '.';
                }
            }
            *o++ = ' ';
        }
        *o++ = next;
        ++i;
    }
    const size_t length = static_cast<size_t>(o - begin);
    if (mode == Mode::Document)
        text.assign(begin, length);
    else
        text.resize(length);
}

// Trimming and leading punctuation: trim, then drop leading punctuation (and blanks, for speech).
void trimAndDropLeadingPunctuation(std::string& text, Mode mode)
{
    const std::string_view trimmed = trimView(text);
    const auto droppable = [mode](char c) {
        return c == '\'' || c == ',' || c == '.' || c == ';' || (mode == Mode::Speech && c == ' ');
    };
    size_t start = 0;
    while (start < trimmed.size() && droppable(trimmed[start]))
        ++start;
    const size_t offset = static_cast<size_t>(trimmed.data() - text.data()) + start;
    const size_t length = trimmed.size() - start;
    text.erase(offset + length);
    text.erase(0, offset);
}

// 1 line breaks (speech), 2 tags, 3 named entities, 4 numeric references, 5 loose ampersands,
// 6 white space, 7 trim, 8 leading punctuation.
std::string convert(std::string_view html, Mode mode)
{
    std::string text(html);
    if (mode == Mode::Speech)
        blankLineBreaks(text);
    blankTags(text, mode);
    decodeNamedEntities(text);
    blankNumericReferences(text);
    blankLooseAmpersands(text);
    collapseWhiteSpace(text, mode);
    trimAndDropLeadingPunctuation(text, mode);
    return text;
}

} // namespace

std::string HtmlToSpeechText(std::string_view html)
{
    return convert(html, Mode::Speech);
}

std::string HtmlToPlainText(std::string_view html)
{
    return convert(html, Mode::Document);
}

} // namespace narrix
