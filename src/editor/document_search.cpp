#include "editor/document_search.h"

#include <algorithm>
#include <array>
#include <vector>

namespace narrix {
namespace {

bool isWordCharacter(QStringView text, qsizetype at)
{
    return at >= 0 && at < text.size() && text[at].isLetterOrNumber();
}

bool standsAlone(QStringView text, qsizetype start, qsizetype length)
{
    return !isWordCharacter(text, start - 1) && !isWordCharacter(text, start + length);
}

// The search text prepared for Horspool's method in either direction: each comparison looks at one
// character of the text and, on a mismatch, skips as far as the search text allows. Letter case is
// compared by case folding, one UTF-16 unit at a time, when the case does not matter.
class Pattern
{
public:
    Pattern(QStringView what, bool matchCase) : matchCase_(matchCase), folded_(what.size())
    {
        const qsizetype m = what.size();
        for (qsizetype i = 0; i < m; ++i)
            folded_[static_cast<std::size_t>(i)] = fold(what[i].unicode());
        forward_.fill(m);
        backward_.fill(m);
        for (qsizetype i = 0; i + 1 < m; ++i)
            forward_[bucket(at(i))] = m - 1 - i;
        for (qsizetype i = m - 1; i >= 1; --i)
            backward_[bucket(at(i))] = i;
    }

    qsizetype size() const { return static_cast<qsizetype>(folded_.size()); }

    // The first match starting at or after `from`.
    qsizetype next(QStringView text, qsizetype from) const
    {
        const qsizetype m = size();
        const char16_t last = at(m - 1);
        for (qsizetype pos = from; pos + m <= text.size();) {
            const char16_t c = fold(text[pos + m - 1].unicode());
            if (c == last && matchesAt(text, pos))
                return pos;
            pos += forward_[bucket(c)];
        }
        return -1;
    }

    // The last match starting at or before `from`.
    qsizetype previous(QStringView text, qsizetype from) const
    {
        const char16_t first = at(0);
        for (qsizetype pos = std::min(from, text.size() - size()); pos >= 0;) {
            const char16_t c = fold(text[pos].unicode());
            if (c == first && matchesAt(text, pos))
                return pos;
            pos -= backward_[bucket(c)];
        }
        return -1;
    }

private:
    char16_t fold(char16_t c) const
    {
        if (matchCase_)
            return c;
        if (c < 0x80) // most text: no call into the Unicode tables
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
        return static_cast<char16_t>(QChar::toCaseFolded(c));
    }
    char16_t at(qsizetype i) const { return folded_[static_cast<std::size_t>(i)]; }
    static std::size_t bucket(char16_t c) { return c & 0xFFu; }

    bool matchesAt(QStringView text, qsizetype pos) const
    {
        for (qsizetype i = 0; i < size(); ++i)
            if (fold(text[pos + i].unicode()) != at(i))
                return false;
        return true;
    }

    bool matchCase_;
    std::vector<char16_t> folded_;
    // How far to move on a mismatch, by the text's character that was compared (characters that share
    // a bucket share the smallest distance, which never skips a match).
    std::array<qsizetype, 256> forward_;
    std::array<qsizetype, 256> backward_;
};

} // namespace

qsizetype findDown(QStringView text, QStringView what, qsizetype from, FindOptions options)
{
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    const Pattern pattern(what, options.matchCase);
    for (qsizetype at = from; (at = pattern.next(text, at)) >= 0; ++at)
        if (!options.wholeWord || standsAlone(text, at, what.size()))
            return at;
    return -1;
}

qsizetype findUp(QStringView text, QStringView what, qsizetype selectionStart, FindOptions options)
{
    const qsizetype n = what.size();
    if (n == 0 || n > selectionStart || selectionStart > text.size())
        return -1;
    const Pattern pattern(what, options.matchCase);
    // The nearest match ends at or before the selection start, so it starts at or before s - n.
    for (qsizetype at = selectionStart - n; at >= 0; --at) {
        at = pattern.previous(text, at);
        if (at < 0)
            return -1;
        if (!options.wholeWord || standsAlone(text, at, n))
            return at;
    }
    return -1;
}

} // namespace narrix
