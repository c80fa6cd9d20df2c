#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace narrix {

// The character formatting of a run of rich text, as far as the program keeps it.
struct RtfTextFormat
{
    int font = -1;                      // index into RtfDocument::fonts; -1: none named
    int halfPoints = 24;                // size in half points (RTF's \fs)
    std::optional<std::uint32_t> color; // 0xRRGGBB; empty: the automatic (window text) colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const RtfTextFormat&) const = default;
};

struct RtfFont
{
    std::string name; // UTF-8, without the closing ";"
    bool operator==(const RtfFont&) const = default;
};

// A run of text in one format. The text is UTF-8: paragraphs, line breaks, page breaks and table rows
// end with "\n", tabs and table cells are "\t".
struct RtfRun
{
    std::string text;
    RtfTextFormat format;
    bool operator==(const RtfRun&) const = default;
};

// What the reader returns and the writer writes: fonts and the formatted runs in document order
// (adjacent runs always differ in format).
struct RtfDocument
{
    std::vector<RtfFont> fonts;
    std::vector<RtfRun> runs;

    // The runs' text joined.
    std::string plainText() const;
    // Appends text in `format`, joining it to the last run when the format is the same.
    void append(std::string_view text, const RtfTextFormat& format);
};

} // namespace narrix
