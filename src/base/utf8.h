#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace narrix {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at `s[i]`, or 0 where there is
// none: a stray continuation byte, an overlong form, a surrogate, a code beyond U+10FFFF, or a
// sequence cut short by the end.
inline std::size_t utf8SequenceLength(std::string_view s, std::size_t i) noexcept
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char lo = 0x80, hi = 0xBF; // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        lo = c == 0xE0 ? 0xA0 : lo; // no overlong forms
        hi = c == 0xED ? 0x9F : hi; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        lo = c == 0xF0 ? 0x90 : lo;
        hi = c == 0xF4 ? 0x8F : hi; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > s.size() || byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The character at `s[i]` and its length in bytes; U+FFFD, one byte long, where no well-formed
// sequence starts.
inline char32_t decodeUtf8At(std::string_view s, std::size_t i, std::size_t* length) noexcept
{
    const std::size_t n = utf8SequenceLength(s, i);
    *length = n == 0 ? 1 : n;
    if (n == 0)
        return 0xFFFD;
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(s[i]) & kLeadBits[n];
    for (std::size_t k = 1; k < n; ++k)
        code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return code;
}

// Appends `code` (at most U+10FFFF) in UTF-8.
inline void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace narrix
