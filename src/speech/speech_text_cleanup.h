#pragma once

#include <string>
#include <string_view>

namespace narrix {

// What becomes of the characters beyond ASCII. Voices of other languages read them; English voices
// get Latin letters as their base letters and, when they read them, the symbols of isSpokenSymbol.
enum class AsciiFolding {
    None,              // a voice that is not English: the text unchanged
    Letters,           // an English voice that reads no symbols beyond ASCII (flite)
    LettersAndSymbols, // an English voice that reads currency signs, degree and the like (espeak-ng)
};

// The folding for a voice of the given Windows language identifier (English is 9 in its low 10
// bits); `readsSymbols` says whether the voice reads the signs of isSpokenSymbol.
AsciiFolding asciiFoldingFor(int languageId, bool readsSymbols);

// Prepares a text for the engine, as every piece of speech is prepared (UTF-8 in, UTF-8 out). The
// rules, in this order:
//  - ASCII folding (English voices only): U+2019 and U+00B4 become an apostrophe, Latin letters with
//    diacritics their base letters ("é" "e", "ß" "ss"), combining marks are dropped, the spoken
//    symbols stay when the voice reads them; every other non-ASCII character becomes one blank
//    (foldToAscii);
//  - long runs: runs of three or more of = * / \ # _ < > - + become blanks (blankLongRuns);
//  - ellipses: after three dots in a row, the further dots of that run become blanks (shortenEllipses);
//  - before dots: the blanks, line breaks, dots, "?" and "!" directly before a dot are blanked
//    (blankBeforeDots);
//  - "U.S." becomes "US" (replaceUS);
//  - leading junk: leading blanks, apostrophes, commas, dots and semicolons are removed.
// Linear in the length of the text.
std::string CleanSpeechText(std::string_view text, AsciiFolding folding);
// The same on a buffer of the caller's (the result is never longer than the input). With
// `textStart` false the buffer is the rest of a text cut by speechTextCut, and the leading-junk rule is left
// out.
void CleanSpeechTextInPlace(std::string& text, AsciiFolding folding, bool textStart = true);

// A place at or after `from` where a text can be cut and both parts cleaned on their own, giving
// the same as cleaning it whole: between two ASCII letters or digits, which no rule looks across.
// std::string_view::npos when there is none within `searchLimit` bytes after `from`.
std::size_t speechTextCut(std::string_view text, std::size_t from, std::size_t searchLimit = 1 << 20);

} // namespace narrix
