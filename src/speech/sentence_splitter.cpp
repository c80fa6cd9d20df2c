#include "speech/sentence_splitter.h"

namespace narrix {
namespace {

bool isTerminal(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') || c == QChar(0x2026);
}

bool isCloser(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char(')') ||
           c == QLatin1Char(']') || c == QChar(0x201D) || c == QChar(0x2019) || c == QChar(0x00BB);
}

} // namespace

SentenceSpan nextSentence(QStringView text, qsizetype from, qsizetype maxLength)
{
    const qsizetype size = text.size();
    qsizetype start = from;
    while (start < size && text[start].isSpace())
        ++start;
    if (start >= size)
        return {size, size};

    const qsizetype limit = maxLength > 0 && size - start > maxLength ? start + maxLength : size;
    qsizetype lastSpace = -1;
    for (qsizetype i = start; i < limit; ++i) {
        const QChar c = text[i];
        if (isTerminal(c)) {
            qsizetype end = i + 1;
            while (end < size && (isTerminal(text[end]) || isCloser(text[end])))
                ++end;
            if (end >= size || text[end].isSpace())
                return {start, end};
            i = end - 1;
            continue;
        }
        if (c == QLatin1Char('\n')) {
            // A blank line ends a paragraph: "\n\n" or "\n \r\n" and the like.
            qsizetype j = i + 1;
            while (j < size && j < limit && text[j].isSpace() && text[j] != QLatin1Char('\n'))
                ++j;
            if (j < size && text[j] == QLatin1Char('\n'))
                return {start, i};
        }
        if (c.isSpace())
            lastSpace = i;
    }
    if (limit == size)
        return {start, size};
    // Too long without an end: cut at the last white space, else at the limit (never inside a
    // surrogate pair).
    qsizetype end = lastSpace > start ? lastSpace : limit;
    if (end < size && end > start && text[end].isLowSurrogate())
        --end;
    return {start, end};
}

} // namespace narrix
