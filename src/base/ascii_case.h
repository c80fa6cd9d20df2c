#pragma once

#include <string>
#include <string_view>

namespace narrix {

// Case folding of the letters A to Z only: how section names, key names and item titles are matched.
constexpr char toLowerAscii(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (toLowerAscii(a[i]) != toLowerAscii(b[i]))
            return false;
    }
    return true;
}

constexpr bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) noexcept
{
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) noexcept
{
    return text.size() >= suffix.size() &&
           equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

inline std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = toLowerAscii(c);
    return out;
}

} // namespace narrix
