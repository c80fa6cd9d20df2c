#pragma once

#include "base/rtf_document.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace narrix {

// The program's rich-text (RTF) reader, shared by the document editor, channel retrieval of local
// ".rtf" files and vozozo.
//
// It reads what word processors write: groups, control words and symbols, "\'hh" bytes in the
// document's code page (\ansicpg, \mac, \pc) or the current font's (\fcharset, \cpg), "\uN" with its
// \ucN fallback skipped, \par, \line, \tab, \page, the special characters (\emdash, \lquote, ...),
// fields (their results, not their instructions), table cells (separated by a tab) and rows (one line
// each). Destinations without readable text are skipped: font, colour and style tables, \info,
// pictures, object data, headers, footers, footnotes, comments and every "\*" destination it does
// not know. Hidden text (\v) is left out.
//
// Reading is linear in the input and never recurses: groups nest at most kMaxRtfDepth deep.
// Malformed input (not starting with "{\rtf", groups left open at the end, a bad "\'hh", binary data
// running past the end, nesting too deep) gives an error naming the problem and its byte offset.

constexpr int kMaxRtfDepth = 512;

struct RtfError
{
    std::size_t offset = 0; // byte offset in the input where the problem was found
    std::string message;    // e.g. "groups nested deeper than 512 levels"
    // "byte 123: groups nested deeper than 512 levels"
    std::string describe() const;
};

// Reads a whole RTF file into fonts and formatted runs. Returns false and fills `*error` (when given)
// for malformed input; `*document` is then unspecified.
bool ReadRtf(std::string_view rtf, RtfDocument* document, RtfError* error = nullptr);

// The plain-text entry point for everyone who only needs the words (channel retrieval, vozozo):
// the document's text in UTF-8, paragraphs and table rows ending in "\n", cells separated by "\t".
// Returns false and fills `*error` (when given) for malformed input; `*text` is then unspecified.
//
//     std::string text;
//     RtfError error;
//     if (!RtfToPlainText(bytes, &text, &error))
//         report(path + ": " + error.describe());
bool RtfToPlainText(std::string_view rtf, std::string* text, RtfError* error = nullptr);

// True when the bytes look like RTF ("{\rtf" after optional blanks), for callers that must decide
// between rich and plain text by content rather than by name.
bool looksLikeRtf(std::string_view bytes);

} // namespace narrix
