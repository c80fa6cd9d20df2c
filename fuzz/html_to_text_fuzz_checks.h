#pragma once

#include "base/text_encoding.h"

#include <cstdlib>
#include <string_view>

// Properties every result of the HTML conversions has, whatever the input.
inline void checkConvertedText(std::string_view in, std::string_view out, bool speech)
{
    // Pages reach the conversions as UTF-8, and what comes out of them is UTF-8 too.
    if (narrix::isValidUtf8(in) && !narrix::isValidUtf8(out))
        std::abort();
    if (out.empty())
        return;
    const auto low = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    // Leading punctuation goes after the trim, so what it uncovers stays (a blank only in plain text).
    if (speech && out.front() == ' ')
        std::abort();
    if (low(out.back()))
        std::abort();
    const char first = out.front();
    if (first == '\'' || first == ',' || first == '.' || first == ';')
        std::abort();
    if (!speech)
        return;
    for (size_t i = 0; i < out.size(); ++i) {
        // Speech text keeps no line breaks or TABs, and white space never comes two in a row.
        if (out[i] == '\r' || out[i] == '\n' || out[i] == '\t')
            std::abort();
        if (i > 0 && out[i] == ' ' && out[i - 1] == ' ')
            std::abort();
    }
}
