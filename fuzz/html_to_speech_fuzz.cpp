#include "base/html_to_text.h"
#include "html_to_text_fuzz_checks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkConvertedText(input, narrix::HtmlToSpeechText(input), true);
    return 0;
}
