#pragma once

#include <string>
#include <string_view>

namespace narrix {

// True for the characters the program's trim removes: control characters and the blank.
constexpr bool isTrimmable(char c) noexcept
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Removes characters with codes up to and including the blank from both ends.
std::string_view trimView(std::string_view text) noexcept;
std::string trim(std::string_view text);

// True when nothing but blanks and control characters is left after trimming.
inline bool isBlank(std::string_view text) noexcept
{
    return trimView(text).empty();
}

} // namespace narrix
