#include "net/chunked_decoder.h"

#include <gtest/gtest.h>

using narrix::net::ChunkedDecoder;

namespace {

// Feeds the input in pieces of `step` bytes; returns the decoded text.
std::string decodeInSteps(const std::string& input, size_t step, ChunkedDecoder& d,
                          size_t* consumed = nullptr)
{
    std::string out;
    size_t used = 0;
    for (size_t pos = 0; pos < input.size() && !d.done() && !d.failed(); pos += step) {
        used += d.feed(std::string_view(input).substr(pos, step), out);
    }
    if (consumed)
        *consumed = used;
    return out;
}

} // namespace

TEST(ChunkedDecoder, DecodesWhateverWayTheBytesArrive)
{
    const std::string body =
        "4;ext=1\r\nWiki\r\n5\r\npedia\r\nE\r\n in\r\n\r\nchunks.\r\n0\r\nTrailer: x\r\n\r\nNEXT";
    for (size_t step : {1, 2, 3, 7, 1000}) {
        ChunkedDecoder d;
        size_t used = 0;
        EXPECT_EQ(decodeInSteps(body, step, d, &used), "Wikipedia in\r\n\r\nchunks.") << step;
        EXPECT_TRUE(d.done());
        EXPECT_EQ(body.substr(used), "NEXT") << "bytes after the body are left for the next reply";
    }
    ChunkedDecoder lf;
    EXPECT_EQ(decodeInSteps("3\nabc\n0\n\n", 1, lf), "abc");
    EXPECT_TRUE(lf.done());
}

TEST(ChunkedDecoder, FailsOnMalformedInput)
{
    for (const char* bad : {"x\r\n", "\r\n", "3\r\nabcX", "3 junk\r\nabc\r\n", "ffffffffffffffffff\r\n"}) {
        ChunkedDecoder d;
        decodeInSteps(bad, 1000, d);
        EXPECT_TRUE(d.failed()) << bad;
    }
}

TEST(ChunkedDecoder, LimitsLinesSoAPeerCannotGrowMemoryWithoutData)
{
    ChunkedDecoder d;
    std::string out;
    const std::string endless(ChunkedDecoder::kMaxLineLength + 10, '0');
    d.feed(endless, out);
    EXPECT_TRUE(d.failed());

    ChunkedDecoder t;
    std::string trailer = "0\r\nX: " + std::string(ChunkedDecoder::kMaxLineLength, 'a');
    t.feed(trailer, out);
    EXPECT_TRUE(t.failed());
}
