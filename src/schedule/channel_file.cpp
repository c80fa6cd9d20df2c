#include "schedule/channel_file.h"

#include "base/speech_file.h"
#include "documents/document_reader.h"

namespace narrix {

std::optional<std::string> readChannelFile(const std::string& path, std::string* error)
{
    const std::optional<DocumentFormat> format = documentFormatOf(path);
    if (!format)
        return readSpeechFile(path, error);
    std::string reason;
    std::optional<std::string> text = readDocumentSpeechText(path, *format, {}, &reason);
    if (!text && error != nullptr)
        *error = path + ": " + reason;
    return text;
}

} // namespace narrix
