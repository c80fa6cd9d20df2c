#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace narrix::net {

// Incremental decoder of the chunked transfer coding (RFC 7230 section 4.1). Feed it bytes as they
// arrive; decoded data is appended to the caller's buffer. Chunk extensions and trailer fields are
// read and dropped. Lines are limited in length so a hostile peer cannot grow memory without data.
class ChunkedDecoder
{
public:
    enum class State { SizeLine, Data, DataEnd, Trailer, Done, Failed };

    // Consumes bytes from `input` and appends decoded data to `out`. Returns how many bytes were
    // consumed: all of them unless the body ended (bytes after the end belong to the next reply)
    // or the input was malformed.
    size_t feed(std::string_view input, std::string& out);

    State state() const noexcept { return state_; }
    bool done() const noexcept { return state_ == State::Done; }
    bool failed() const noexcept { return state_ == State::Failed; }
    const std::string& error() const noexcept { return error_; }

    static constexpr size_t kMaxLineLength = 4096;

private:
    bool finishSizeLine();
    void fail(std::string message);

    State state_ = State::SizeLine;
    std::string line_;
    uint64_t remaining_ = 0;
    bool sawCr_ = false;
    std::string error_;
};

} // namespace narrix::net
