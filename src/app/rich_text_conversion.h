#pragma once

#include "base/rtf_document.h"

class QTextCharFormat;
class QTextDocument;

namespace narrix {

// Appends the runs of `rich` at the end of `document`: each run's font, size, colour and styles laid
// over `base`; "\n" starts a new paragraph.
void insertRichText(const RtfDocument& rich, const QTextCharFormat& base, QTextDocument* document);

// The editor's content as the RTF writer takes it: one run per stretch of equal format.
RtfDocument richTextOf(const QTextDocument& document);

} // namespace narrix
