#include "net/transfer_decoding.h"

#include "net/net_text.h"

namespace narrix::net {
namespace {

int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+' || c == '-')
        return 62;
    if (c == '/' || c == '_')
        return 63;
    return -1;
}

} // namespace

std::string decodeQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '=') {
            out += c;
            ++i;
            continue;
        }
        // Soft line break: "=" then optional blanks, then CR LF or LF.
        size_t j = i + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') {
            i = j + 2;
            continue;
        }
        if (j < text.size() && text[j] == '\n') {
            i = j + 1;
            continue;
        }
        if (j == text.size()) {
            i = j; // "=" at the very end is a soft break too
            continue;
        }
        if (i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 3;
            continue;
        }
        out += '=';
        ++i;
    }
    return out;
}

std::string decodeBase64(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    unsigned buffer = 0;
    int bits = 0;
    for (const char c : text) {
        if (c == '=')
            break;
        const int v = base64Value(c);
        if (v < 0)
            continue;
        buffer = (buffer << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xff);
        }
        buffer &= (1u << bits) - 1;
    }
    return out;
}

} // namespace narrix::net
