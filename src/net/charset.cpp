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

std::string lowerLabel(std::string_view charset)
{
    std::string lower(charset);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool isAsciiLabel(const std::string& lower)
{
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
    // An empty label, or US-ASCII on 8-bit text (a common mislabel), says nothing useful. Other
    // labels, 7-bit ones such as ISO-2022-JP and UTF-7 among them, are honoured by decodeToUtf8.
    const std::string label = lowerLabel(charset);
    if (label.empty() || isAsciiLabel(label))
        return looseToUtf8(bytes);
    return decodeToUtf8(bytes, charset);
}

} // namespace narrix::net
