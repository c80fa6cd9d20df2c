#pragma once

#include <string>
#include <string_view>

namespace narrix::net {

// Quoted-printable (RFC 2045 section 6.7): "=XX" gives a byte, "=" at a line end is a soft line
// break; a "=" not followed by two hexadecimal digits is kept as it stands.
std::string decodeQuotedPrintable(std::string_view text);

// Base64 (RFC 2045 section 6.8), lenient: characters outside the alphabet (line ends, blanks) are
// skipped, decoding stops at the first "=". A trailing group of fewer than four characters gives
// the whole bytes it holds.
std::string decodeBase64(std::string_view text);

} // namespace narrix::net
