#pragma once

#include <optional>
#include <string>

namespace narrix {

// The speech text of a local channel file, by its extension: PDF, EPUB, DOCX and ODT through the
// documents readers (an encrypted PDF is refused: a channel has nobody to ask), everything else as
// readSpeechFile reads it. Nothing, with "path: reason" in `error`, when it cannot be read.
std::optional<std::string> readChannelFile(const std::string& path, std::string* error = nullptr);

} // namespace narrix
