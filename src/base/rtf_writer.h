#pragma once

#include "base/rtf_document.h"

#include <string>

namespace narrix {

// Writes a document as RTF that word processors open: a font table with the document's fonts (a
// document without fonts gets `defaultFont`), a colour table with the colours its runs use, and per
// run the font, size, colour, bold, italic, underline and strike-out. Text is escaped; characters
// beyond ASCII are written as "\uN\'3f" (UTF-16 units, "?" the fallback for readers without Unicode);
// "\n" becomes \par and "\t" \tab; other control characters are dropped. Invalid UTF-8 is written as
// U+FFFD. Linear in the document's size.
std::string WriteRtf(const RtfDocument& document, const std::string& defaultFont = "Arial");

} // namespace narrix
