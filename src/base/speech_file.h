#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// How a local file is read for speech, from the end of its name: ".HTM" or ".HTML" (any letter case)
// is HTML, ".RTF" rich text, anything else plain text.
enum class SpeechFileKind { Html, RichText, PlainText };
SpeechFileKind speechFileKindOf(std::string_view path);

// The speech text of a file's bytes, as the kind its name gives: HTML decoded by its <meta> charset
// too and converted; rich text through the RTF reader (a ".rtf" file that does not start as rich
// text is read as plain text); anything else only decoded. Nothing, with the reader's "byte N:
// problem" in `error`, for malformed rich text.
std::optional<std::string> speechTextOfFile(std::string_view path, std::string_view bytes,
                                            std::string* error = nullptr);

// The text of a local file for speech, decoded to UTF-8 (byte-order mark, else UTF-8 when valid,
// else Windows-1252) as speechTextOfFile does. Nothing, with "path: reason" in `error`, when the file
// cannot be read (missing, a folder, unreadable) or is malformed rich text.
std::optional<std::string> readSpeechFile(const std::string& path, std::string* error = nullptr);

} // namespace narrix
