// Decodes arbitrary bytes under a label picked by the first byte and checks that the result is
// valid UTF-8, as every caller of the decoder relies on.
#include "base/text_encoding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static constexpr std::array<std::string_view, 9> labels{
        "", "utf-8", "ISO-8859-1", "windows-1251", "koi8-r", "shift_jis", "utf-16", "gb18030", "no-such"};
    if (size == 0)
        return 0;
    const std::string_view label = labels[data[0] % labels.size()];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!narrix::isValidUtf8(narrix::decodeToUtf8(bytes, label)))
        std::abort();
    if (!narrix::isValidUtf8(narrix::decodeUnlabelledToUtf8(bytes)))
        std::abort();
    return 0;
}
