// The chunked decoder must give the same result whichever way the bytes are split.
#include "net/chunked_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using narrix::net::ChunkedDecoder;
    if (size == 0)
        return 0;
    // The first byte chooses the piece size of the second pass.
    const size_t step = 1 + data[0] % 13;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    ChunkedDecoder whole;
    std::string a;
    const size_t usedWhole = whole.feed(input, a);

    ChunkedDecoder pieces;
    std::string b;
    size_t usedPieces = 0;
    for (size_t pos = 0; pos < input.size() && !pieces.done() && !pieces.failed(); pos += step)
        usedPieces += pieces.feed(input.substr(pos, step), b);

    if (whole.done() != pieces.done() || whole.failed() != pieces.failed())
        std::abort();
    if (!whole.failed() && (a != b || usedWhole != usedPieces))
        std::abort();
    if (a.size() > input.size())
        std::abort();
    return 0;
}
