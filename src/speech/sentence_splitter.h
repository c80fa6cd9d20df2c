#pragma once

#include <QStringView>
#include <string_view>

namespace narrix {

struct SentenceSpan
{
    qsizetype start = 0;
    qsizetype end = 0; // one past the last character; start == end means no sentence is left
    bool empty() const { return start == end; }
};

// Finds the next sentence of `text` at or after `from`, skipping leading white space. A sentence ends
// after ".", "!", "?" or "…" (and any closing quotes or brackets) followed by white space, at a blank
// line, or at the last white space before `maxLength` code units. Looks only at the characters it
// returns (plus the white space after them), so walking a text sentence by sentence is linear.
// Positions count UTF-16 code units for a QStringView and bytes for UTF-8 text; a sentence never ends
// inside a character.
SentenceSpan nextSentence(QStringView text, qsizetype from, qsizetype maxLength = 300);
SentenceSpan nextSentence(std::string_view utf8, qsizetype from, qsizetype maxLength = 300);

// The first position at or after `from` that is not white space (the text's size when there is none).
qsizetype skipSpace(QStringView text, qsizetype from);
qsizetype skipSpace(std::string_view utf8, qsizetype from);

} // namespace narrix
