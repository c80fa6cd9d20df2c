#include "schedule/channel_cut.h"

#include "base/text_trim.h"

#include <string.h>

namespace narrix {
namespace {

// The first occurrence of `key` in `text`. glibc's memmem falls back to the two-way algorithm, so
// the search stays linear in the text's length whatever the key.
size_t findKey(std::string_view text, std::string_view key)
{
    const void* hit = ::memmem(text.data(), text.size(), key.data(), key.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<size_t>(static_cast<const char*>(hit) - text.data());
}

} // namespace

std::string normalizeCutKey(std::string_view key)
{
    key = trimView(key);
    std::string out;
    out.reserve(key.size());
    for (const char c : key) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out.push_back(c);
    }
    return out;
}

std::string_view cutPassage(std::string_view text, const ChannelCut& cut)
{
    if (!cut.leadKey.empty()) {
        const size_t p = findKey(text, cut.leadKey);
        if (p != std::string_view::npos)
            text.remove_prefix(cut.leadInc ? p : p + cut.leadKey.size());
    }
    if (!cut.trailKey.empty()) {
        const size_t q = findKey(text, cut.trailKey);
        if (q != std::string_view::npos)
            text = text.substr(0, cut.trailInc ? q + cut.trailKey.size() : q);
    }
    return text;
}

std::string_view tidyPassage(std::string_view passage)
{
    passage = trimView(passage);
    while (!passage.empty() && (passage.back() == ' ' || passage.back() == '.'))
        passage.remove_suffix(1);
    const auto leadingJunk = [](char c) { return c == ' ' || c == '\'' || c == ',' || c == '.' || c == ';'; };
    while (!passage.empty() && leadingJunk(passage.front()))
        passage.remove_prefix(1);
    return passage;
}

} // namespace narrix
