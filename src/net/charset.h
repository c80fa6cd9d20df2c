#pragma once

#include <string>
#include <string_view>

namespace narrix::net {

// Converts bytes in the named character set (MIME or IANA name, any letter case) to UTF-8 with the
// program's decodeToUtf8. An empty or unknown name (or US-ASCII on 8-bit text) keeps text that is
// already valid UTF-8 and reads anything else as Windows-1252, so no byte is ever dropped.
std::string charsetToUtf8(std::string_view bytes, std::string_view charset);

// Reads 8-bit header or body text of unknown encoding: valid UTF-8 stays, anything else is Windows-1252.
std::string looseToUtf8(std::string_view bytes);

} // namespace narrix::net
