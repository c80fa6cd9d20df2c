#pragma once

#include <string>
#include <string_view>

namespace narrix::net {

// Decodes the encoded words of a header text (RFC 2047: "=?charset?Q?text?=" and
// "=?charset?B?text?=", any letter case) in every character set and converts them to UTF-8. Blanks
// between two encoded words are dropped; the bytes of adjacent words in the same character set are
// joined before conversion, so a character split across words survives. Text outside encoded words
// that is not valid UTF-8 is read as Windows-1252. NUL characters are removed from the result.
// Malformed words stay as they stand. Linear in the length of the text.
std::string decodeEncodedWords(std::string_view text);

} // namespace narrix::net
