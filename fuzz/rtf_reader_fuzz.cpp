#include "base/rtf_reader.h"
#include "base/rtf_writer.h"
#include "base/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any input: no crash, valid UTF-8 out, the plain and the formatted reading agree, and what the
// writer makes of the formatted reading reads back to the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string text;
    narrix::RtfError error;
    const bool plainOk = narrix::RtfToPlainText(input, &text, &error);
    narrix::RtfDocument document;
    const bool formattedOk = narrix::ReadRtf(input, &document, nullptr);
    if (plainOk != formattedOk)
        std::abort();
    if (!plainOk) {
        if (error.message.empty() || error.offset > size)
            std::abort();
        return 0;
    }
    if (!narrix::isValidUtf8(text) || document.plainText() != text)
        std::abort();
    std::string again;
    if (!narrix::RtfToPlainText(narrix::WriteRtf(document), &again) || again != text)
        std::abort();
    return 0;
}
