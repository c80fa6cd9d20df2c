#include "net/charset.h"

#include "base/text_encoding.h"

namespace narrix::net {
namespace {

bool isAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAsciiLabel(std::string_view charset)
{
    std::string lower(charset);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower == "us-ascii" || lower == "ascii";
}

} // namespace

std::string looseToUtf8(std::string_view bytes)
{
    if (isAscii(bytes))
        return std::string(bytes);
    return decodeUnlabelledToUtf8(bytes);
}

std::string charsetToUtf8(std::string_view bytes, std::string_view charset)
{
    if (isAscii(bytes))
        return std::string(bytes);
    // An empty label, or US-ASCII on 8-bit text (a common mislabel), says nothing useful.
    if (charset.empty() || isAsciiLabel(charset))
        return decodeUnlabelledToUtf8(bytes);
    return decodeToUtf8(bytes, charset);
}

} // namespace narrix::net
