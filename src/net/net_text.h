#pragma once

#include "base/ascii_case.h"
#include "base/hex_digit.h"

#include <string_view>

namespace narrix::net {

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
