#pragma once

#include <QStringView>

namespace narrix {

struct FindOptions
{
    bool matchCase = false;
    bool wholeWord = false;
};

// The editor's searches over its text. Positions count UTF-16 units of the text as the editor returns
// it, where a line break is one character, exactly as the editor counts its cursor positions.
// Both return the match's start, or -1 when there is none.

// Downward: the first match starting at or after `from` (the end of the selection).
qsizetype findDown(QStringView text, QStringView what, qsizetype from, FindOptions options);

// Upward: the match ending at or before `selectionStart` that lies nearest to it. An empty search text
// or one longer than `selectionStart` finds nothing. With whole word on, a match with a letter or digit
// right before or after it is passed over and the search goes on.
qsizetype findUp(QStringView text, QStringView what, qsizetype selectionStart, FindOptions options);

} // namespace narrix
