#pragma once

#include "speech/speech_text_cleanup.h"

#include <string>
#include <string_view>

namespace narrix {

// A text for speech that arrives in pieces (a long document still being read), cleaned as it comes
// so that the cleaned parts joined are exactly the whole text cleaned: each part ends where the text
// can be cut (between two letters or digits, which no rule looks across) and the rest waits for the
// next piece. Linear in the text.
class GrowingSpeechText
{
public:
    explicit GrowingSpeechText(AsciiFolding folding) : folding_(folding) {}

    // Adds `piece`; returns the cleaned part that is ready (possibly empty). `raw`, when given,
    // receives that part as it was before cleaning.
    std::string take(std::string_view piece, std::string* raw = nullptr);
    // The text is whole: what was held back, cleaned.
    std::string rest();

private:
    std::string clean(std::string part);

    AsciiFolding folding_;
    std::string pending_;     // after the last cut, not yet cleaned
    std::size_t scanned_ = 0; // pending_ before this holds no cut place
    bool atStart_ = true;     // nothing was handed out yet: the leading-junk rule still applies
};

} // namespace narrix
