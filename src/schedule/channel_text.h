#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// The speech text of a fetched web page: decoded from the reply's Content-Type charset (else the
// page's <meta>, else Windows-1252) and converted with the web-page conversion.
std::string webPageSpeechText(std::string_view body, std::string_view contentType);

// The text of a local channel file, decoded to UTF-8: an HTML file (".htm", ".html") by its <meta>
// charset and converted to speech text; every other file unconverted. Rich-text files are read as
// plain characters until the program has a rich-text reader. Nothing, with the reason in `error`,
// when the file cannot be read (missing, a folder, unreadable).
std::optional<std::string> readChannelFile(const std::string& path, std::string* error = nullptr);

} // namespace narrix
