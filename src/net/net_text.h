#pragma once

#include "base/ascii_case.h"

#include <string_view>

namespace narrix::net {

// Value of a hexadecimal digit (either case), or -1.
constexpr int hexValue(char c) noexcept
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr bool isLinearWhite(char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes blanks, tabs and line ends from both ends of a header value, parameter or list item.
constexpr std::string_view trimWhite(std::string_view s) noexcept
{
    while (!s.empty() && isLinearWhite(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isLinearWhite(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace narrix::net
