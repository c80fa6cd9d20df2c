#include "speech/sentence_splitter.h"

#include <QChar>

namespace narrix {
namespace {

bool isTerminal(char32_t c)
{
    return c == U'.' || c == U'!' || c == U'?' || c == 0x2026;
}

bool isCloser(char32_t c)
{
    return c == U'"' || c == U'\'' || c == U')' || c == U']' || c == 0x201D || c == 0x2019 || c == 0x00BB;
}

bool isSpace(char32_t c)
{
    return QChar::isSpace(c);
}

// A character of the text and how many code units it takes.
struct Unit
{
    char32_t code;
    qsizetype length;
};

// UTF-16: one code unit at a time (surrogates are neither spaces nor punctuation).
struct Utf16Text
{
    QStringView text;
    qsizetype size() const { return text.size(); }
    Unit at(qsizetype i) const { return {text[i].unicode(), 1}; }
    // Never end a piece between the two halves of a surrogate pair.
    qsizetype boundaryAtOrBefore(qsizetype i) const
    {
        return i < size() && text[i].isLowSurrogate() ? i - 1 : i;
    }
};

// UTF-8: whole characters; a byte that starts no valid sequence counts as one character.
struct Utf8Text
{
    std::string_view text;
    qsizetype size() const { return static_cast<qsizetype>(text.size()); }
    Unit at(qsizetype i) const
    {
        const auto byte = [&](qsizetype k) {
            return static_cast<unsigned char>(text[static_cast<std::size_t>(k)]);
        };
        const unsigned char lead = byte(i);
        if (lead < 0x80)
            return {lead, 1};
        qsizetype length =
            lead >= 0xF0 && lead <= 0xF4 ? 4 : (lead >= 0xE0 ? 3 : (lead >= 0xC2 && lead < 0xE0 ? 2 : 0));
        if (length == 0 || i + length > size())
            return {0xFFFD, 1};
        char32_t code = lead & (length == 2 ? 0x1Fu : (length == 3 ? 0x0Fu : 0x07u));
        for (qsizetype k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0u) != 0x80u)
                return {0xFFFD, 1};
            code = (code << 6) | (byte(i + k) & 0x3Fu);
        }
        return {code, length};
    }
    qsizetype boundaryAtOrBefore(qsizetype i) const
    {
        while (i > 0 && i < size() &&
               (static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) & 0xC0u) == 0x80u)
            --i;
        return i;
    }
};

template <typename Text> qsizetype skipSpaceIn(const Text& text, qsizetype from)
{
    qsizetype i = from;
    while (i < text.size()) {
        const Unit unit = text.at(i);
        if (!isSpace(unit.code))
            break;
        i += unit.length;
    }
    return i;
}

template <typename Text> SentenceSpan nextSentenceIn(const Text& text, qsizetype from, qsizetype maxLength)
{
    const qsizetype size = text.size();
    const qsizetype start = skipSpaceIn(text, from);
    if (start >= size)
        return {size, size};

    const qsizetype limit = maxLength > 0 && size - start > maxLength ? start + maxLength : size;
    qsizetype lastSpace = -1;
    qsizetype i = start;
    while (i < limit) {
        const Unit unit = text.at(i);
        if (isTerminal(unit.code)) {
            qsizetype end = i + unit.length;
            while (end < size) {
                const Unit next = text.at(end);
                if (!isTerminal(next.code) && !isCloser(next.code))
                    break;
                end += next.length;
            }
            if (end >= size || isSpace(text.at(end).code))
                return {start, end};
            i = end;
            continue;
        }
        if (unit.code == U'\n') {
            // A blank line ends a paragraph: "\n\n" or "\n \r\n" and the like.
            qsizetype j = i + 1;
            while (j < size && j < limit) {
                const Unit next = text.at(j);
                if (!isSpace(next.code) || next.code == U'\n')
                    break;
                j += next.length;
            }
            if (j < size && text.at(j).code == U'\n')
                return {start, i};
        }
        if (isSpace(unit.code))
            lastSpace = i;
        i += unit.length;
    }
    if (limit == size || i >= size)
        return {start, size};
    // Too long without an end: cut at the last white space, else at the limit (never inside a
    // character).
    qsizetype end = lastSpace > start ? lastSpace : text.boundaryAtOrBefore(i);
    if (end <= start)
        end = i;
    return {start, end};
}

} // namespace

SentenceSpan nextSentence(QStringView text, qsizetype from, qsizetype maxLength)
{
    return nextSentenceIn(Utf16Text{text}, from, maxLength);
}

SentenceSpan nextSentence(std::string_view utf8, qsizetype from, qsizetype maxLength)
{
    return nextSentenceIn(Utf8Text{utf8}, from, maxLength);
}

qsizetype skipSpace(QStringView text, qsizetype from)
{
    return skipSpaceIn(Utf16Text{text}, from);
}

qsizetype skipSpace(std::string_view utf8, qsizetype from)
{
    return skipSpaceIn(Utf8Text{utf8}, from);
}

} // namespace narrix
