#pragma once

#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace narrix {

// Turns little-endian 16-bit PCM bytes into samples for an output's append, in blocks; the bytes may
// arrive split anywhere, so a lone last byte waits for the next call.
class PcmByteSamples
{
public:
    // `append(const std::int16_t*, std::size_t)` takes each block; false from it ends the feed.
    template <typename Append> bool feed(const char* bytes, std::size_t size, Append&& append)
    {
        if (haveOddByte_ && size > 0) {
            const char pair[2] = {oddByte_, bytes[0]};
            const auto sample = qFromLittleEndian<std::int16_t>(pair);
            haveOddByte_ = false;
            ++bytes;
            --size;
            if (!append(&sample, 1))
                return false;
        }
        std::int16_t block[4096];
        while (size >= 2) {
            const std::size_t take = std::min<std::size_t>(size / 2, std::size(block));
            for (std::size_t i = 0; i < take; ++i)
                block[i] = qFromLittleEndian<std::int16_t>(bytes + 2 * i);
            if (!append(block, take))
                return false;
            bytes += 2 * take;
            size -= 2 * take;
        }
        if (size == 1) {
            oddByte_ = bytes[0];
            haveOddByte_ = true;
        }
        return true;
    }

private:
    char oddByte_ = 0;
    bool haveOddByte_ = false;
};

} // namespace narrix
