#pragma once

#include <string_view>

namespace narrix {

// The RTF reader's vocabulary of control words with a fixed meaning.

// Destinations whose content is never text (style sheet, document information, pictures, field
// instructions, headers and footers, objects, index and list tables, ...).
bool isRtfSkippedDestination(std::string_view word);

// The character a control word stands for ("emdash", "lquote", "zwj", ...); 0 for any other word.
char32_t rtfSpecialCharacter(std::string_view word);

} // namespace narrix
