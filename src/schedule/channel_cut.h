#pragma once

#include <string>
#include <string_view>

namespace narrix {

// How a web channel's passage is cut out of the page's speech text.
struct ChannelCut
{
    std::string leadKey;   // the passage starts after (or at) its first occurrence; empty = no start cut
    std::string trailKey;  // the passage ends before (or after) its first following occurrence
    bool leadInc = false;  // the lead key stays in the passage
    bool trailInc = false; // the trail key stays in the passage
};

// Trims a key and turns every run of blanks inside it into one blank.
std::string normalizeCutKey(std::string_view key);

// Cuts `text` with keys already normalised: a key that does not occur (exact letter case) cuts
// nothing; the trail key is searched only in what the lead cut left.
std::string_view cutPassage(std::string_view text, const ChannelCut& cut);

// Trims the passage, then drops trailing blanks and points and leading blanks, apostrophes,
// commas, points and semicolons.
std::string_view tidyPassage(std::string_view passage);

} // namespace narrix
