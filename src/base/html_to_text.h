#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The two fixed-rule conversions of HTML source into readable text. Neither parses HTML: they scan
// bytes with a small set of rules (tags blanked, a few entities decoded, white space collapsed), so
// UTF-8 text passes through unchanged apart from those rules. Both run in time linear in the input
// and cannot fail.

// Web-page conversion for speech: every tag except anchors becomes a sentence break ("word. next"),
// the source's own line breaks become blanks.
std::string HtmlToSpeechText(std::string_view html);

// Document conversion for the editor: tags vanish, a run of white space that holds a line break
// becomes CR LF and a blank, so the source's line structure survives.
std::string HtmlToPlainText(std::string_view html);

} // namespace narrix
