#pragma once

#include <string_view>

namespace narrix {

// The ASCII spelling of a Latin letter with diacritics or a Latin ligature: "é" gives "e", "ǖ" "u",
// "ß" "ss", "Æ" "AE", "ø" "o". Empty for every other character (ASCII included). Never longer than
// the letter's own UTF-8 sequence, so text can be folded in place.
std::string_view latinBaseLetters(char32_t code);

// A combining mark (an accent written as a character of its own after its letter, as decomposed text
// has it): dropped when the letters are folded.
bool isCombiningMark(char32_t code);

// The signs beyond ASCII that espeak-ng reads aloud in English: currency signs ("€" is "euro"),
// degree, section, copyright, trade mark, the vulgar fractions and the like.
bool isSpokenSymbol(char32_t code);

} // namespace narrix
