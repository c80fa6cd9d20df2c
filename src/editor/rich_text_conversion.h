#pragma once

#include "base/rtf_document.h"

class QTextCharFormat;
class QTextDocument;

namespace narrix {

// The editor format of a run: its font, size, colour and styles laid over `base`.
QTextCharFormat richRunFormat(const RtfTextFormat& format, const RtfDocument& rich,
                              const QTextCharFormat& base);

// The editor's content as the RTF writer takes it: one run per stretch of equal format.
RtfDocument richTextOf(const QTextDocument& document);

} // namespace narrix
