#pragma once

#include <QStringView>

namespace narrix {

struct SentenceSpan
{
    qsizetype start = 0;
    qsizetype end = 0; // one past the last character; start == end means no sentence is left
    bool empty() const { return start == end; }
};

// Finds the next sentence of `text` at or after `from`, skipping leading white space. A sentence ends
// after ".", "!" or "?" (and any closing quotes or brackets) followed by white space, at a blank line,
// or at the last white space before `maxLength` characters. Looks only at the characters it returns
// (plus the white space after them), so walking a text sentence by sentence is linear.
SentenceSpan nextSentence(QStringView text, qsizetype from, qsizetype maxLength = 300);

} // namespace narrix
