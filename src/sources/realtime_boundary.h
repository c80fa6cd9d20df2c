#pragma once

#include <string_view>

namespace narrix {

// The boundary step's decision for the real-time buffer when Enter or Space is pressed.
enum class RealtimeBoundary {
    Nothing,     // the buffer is blank: no blank appended, nothing spoken
    Speak,       // hand the buffer on
    AppendBlank, // the text goes on: append one blank
};

// `mode` is RealMode ("Word", "Sentence", anything else: keywords from `keywords`, RealCustom).
RealtimeBoundary realtimeBoundary(std::string_view buffer, std::string_view mode, std::string_view keywords,
                                  bool enter);

// True when `buffer` ends with one of the blank-separated keywords of `keywords` (exact comparison).
bool endsWithKeyword(std::string_view buffer, std::string_view keywords);

} // namespace narrix
