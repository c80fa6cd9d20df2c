#include "app/document_search.h"

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

Qt::CaseSensitivity sensitivity(FindOptions options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

qsizetype findDown(QStringView text, QStringView what, qsizetype from, FindOptions options)
{
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    for (qsizetype at = from; (at = text.indexOf(what, at, sensitivity(options))) >= 0; ++at)
        if (!options.wholeWord || standsAlone(text, at, what.size()))
            return at;
    return -1;
}

qsizetype findUp(QStringView text, QStringView what, qsizetype selectionStart, FindOptions options)
{
    const qsizetype n = what.size();
    if (n == 0 || n > selectionStart || selectionStart > text.size())
        return -1;
    // The nearest match ends at or before the selection start, so it starts at or before s - n.
    for (qsizetype at = selectionStart - n; at >= 0; --at) {
        at = text.lastIndexOf(what, at, sensitivity(options));
        if (at < 0)
            return -1;
        if (!options.wholeWord || standsAlone(text, at, n))
            return at;
    }
    return -1;
}

} // namespace narrix
