#include "speech/speech_text_cleanup.h"

#include "base/utf8.h"
#include "speech/latin_folding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace narrix {
namespace {

// ASCII folding on UTF-8, written over the input: no character's replacement is longer than the
// character, so the writing never gets ahead of the reading. Bytes that do not form a valid character
// count as one character each.
void foldToAscii(std::string& s, bool keepSymbols)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t size = s.size();
    std::size_t i = 0;
    // Until the first multi-byte character nothing moves.
    while (i < size && bytes[i] < 0x80)
        ++i;
    std::size_t w = i;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            // Move the whole run of ASCII at once.
            std::size_t end = i + 1;
            while (end < size && bytes[end] < 0x80)
                ++end;
            std::memmove(s.data() + w, s.data() + i, end - i);
            w += end - i;
            i = end;
            continue;
        }
        // A byte that starts no valid character decodes as U+FFFD, one byte long: a blank too.
        std::size_t length = 1;
        const char32_t code = decodeUtf8At(s, i, &length);
        if (const std::string_view letters = latinBaseLetters(code); !letters.empty()) {
            std::memcpy(s.data() + w, letters.data(), letters.size());
            w += letters.size();
        } else if (keepSymbols && isSpokenSymbol(code)) {
            std::memmove(s.data() + w, s.data() + i, length);
            w += length;
        } else if (!isCombiningMark(code)) {
            s[w++] = code == 0x2019 || code == 0x00B4 ? '\'' : ' ';
        }
        i += length;
    }
    s.resize(w);
}

bool isRunCharacter(char c)
{
    switch (c) {
    case '=':
    case '*':
    case '/':
    case '\\':
    case '#':
    case '_':
    case '<':
    case '>':
    case '-':
    case '+':
        return true;
    default:
        return false;
    }
}

// Long runs. Blanking a run of one character never joins or splits runs of another, so the characters
// can be handled in one pass: every maximal run of three or more is blanked.
void blankLongRuns(std::string& s)
{
    const std::size_t size = s.size();
    std::size_t i = 0;
    while (i < size) {
        const char c = s[i];
        if (!isRunCharacter(c)) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < size && s[j] == c)
            ++j;
        if (j - i >= 3)
            std::memset(s.data() + i, ' ', j - i);
        i = j;
    }
}

// Ellipses: of a run of dots, the first three stay.
void shortenEllipses(std::string& s)
{
    const std::size_t size = s.size();
    std::size_t i = 0;
    while (i < size) {
        const void* dot = std::memchr(s.data() + i, '.', size - i);
        if (!dot)
            return;
        i = static_cast<std::size_t>(static_cast<const char*>(dot) - s.data());
        std::size_t j = i;
        while (j < size && s[j] == '.')
            ++j;
        for (std::size_t k = i + 3; k < j; ++k)
            s[k] = ' ';
        i = j;
    }
}

bool isBeforeDot(char c)
{
    return c == '\r' || c == '\n' || c == ' ' || c == '.' || c == '?' || c == '!';
}

// Before dots. Walking back from each dot would be quadratic on ". . . . .". After the walk from one dot,
// everything between the character that stopped it and that dot is blank; a later walk that reaches
// that dot therefore ends at the same stopper, and jumps there.
void blankBeforeDots(std::string& s)
{
    const std::ptrdiff_t size = static_cast<std::ptrdiff_t>(s.size());
    std::ptrdiff_t lastDot = -1;  // the previous dot processed
    std::ptrdiff_t lastStop = -1; // where its walk stopped (-1: the start of the text)
    for (std::ptrdiff_t p = 1; p < size; ++p) {
        const void* dot = std::memchr(s.data() + p, '.', static_cast<std::size_t>(size - p));
        if (!dot)
            return;
        p = static_cast<const char*>(dot) - s.data();
        std::ptrdiff_t q = p - 1;
        while (q >= 0 && isBeforeDot(s[q])) {
            if (q == lastDot) {
                s[q] = ' ';
                q = lastStop;
                break;
            }
            s[q] = ' ';
            --q;
        }
        lastDot = p;
        lastStop = q;
    }
}

// "U.S." to "US", left to right without overlaps, in place.
void replaceUS(std::string& s)
{
    const std::size_t size = s.size();
    const std::size_t first = s.find("U.S.");
    if (first == std::string::npos)
        return;
    std::size_t i = first;
    std::size_t w = first;
    while (i < size) {
        if (s[i] == 'U' && i + 3 < size && s[i + 1] == '.' && s[i + 2] == 'S' && s[i + 3] == '.') {
            s[w++] = 'U';
            s[w++] = 'S';
            i += 4;
        } else {
            s[w++] = s[i++];
        }
    }
    s.resize(w);
}

bool isLeadingJunk(char c)
{
    return c == ' ' || c == '\'' || c == ',' || c == '.' || c == ';';
}

} // namespace

AsciiFolding asciiFoldingFor(int languageId, bool readsSymbols)
{
    constexpr int kEnglish = 9;
    if ((languageId & 0x3FF) != kEnglish)
        return AsciiFolding::None;
    return readsSymbols ? AsciiFolding::LettersAndSymbols : AsciiFolding::Letters;
}

void CleanSpeechTextInPlace(std::string& s, AsciiFolding folding, bool textStart)
{
    if (folding != AsciiFolding::None)
        foldToAscii(s, folding == AsciiFolding::LettersAndSymbols);
    blankLongRuns(s);
    shortenEllipses(s);
    blankBeforeDots(s);
    replaceUS(s);
    if (!textStart)
        return;
    std::size_t start = 0;
    while (start < s.size() && isLeadingJunk(s[start]))
        ++start;
    s.erase(0, start);
}

std::size_t speechTextCut(std::string_view text, std::size_t from, std::size_t searchLimit)
{
    const auto alphanumeric = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    const std::size_t end = std::min(text.size(), from + searchLimit);
    for (std::size_t i = std::max<std::size_t>(from, 1); i < end; ++i) {
        if (alphanumeric(text[i - 1]) && alphanumeric(text[i]))
            return i;
    }
    return std::string_view::npos;
}

std::string CleanSpeechText(std::string_view text, AsciiFolding folding)
{
    std::string s(text);
    CleanSpeechTextInPlace(s, folding);
    return s;
}

} // namespace narrix
