#include "net/chunked_decoder.h"

#include "net/net_text.h"

#include <algorithm>

namespace narrix::net {
void ChunkedDecoder::fail(std::string message)
{
    state_ = State::Failed;
    error_ = std::move(message);
}

bool ChunkedDecoder::finishSizeLine()
{
    std::string_view line = line_;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    uint64_t size = 0;
    size_t digits = 0;
    for (; digits < line.size(); ++digits) {
        const int v = hexValue(line[digits]);
        if (v < 0)
            break;
        if (size >> 56) {
            fail("chunk size too large");
            return false;
        }
        size = size * 16 + static_cast<uint64_t>(v);
    }
    if (digits == 0) {
        fail("bad chunk size line");
        return false;
    }
    std::string_view rest = line.substr(digits);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    if (!rest.empty() && rest.front() != ';') {
        fail("bad chunk size line");
        return false;
    }
    line_.clear();
    remaining_ = size;
    state_ = size == 0 ? State::Trailer : State::Data;
    return true;
}

size_t ChunkedDecoder::feed(std::string_view input, std::string& out)
{
    size_t pos = 0;
    while (pos < input.size()) {
        switch (state_) {
        case State::Done:
        case State::Failed:
            return pos;
        case State::SizeLine:
        case State::Trailer: {
            const size_t eol = input.find('\n', pos);
            const size_t end = eol == std::string_view::npos ? input.size() : eol;
            if (line_.size() + (end - pos) > kMaxLineLength) {
                fail(state_ == State::SizeLine ? "chunk size line too long" : "trailer line too long");
                return pos;
            }
            line_.append(input.substr(pos, end - pos));
            if (eol == std::string_view::npos)
                return input.size();
            pos = eol + 1;
            if (state_ == State::SizeLine) {
                if (!finishSizeLine())
                    return pos;
            } else {
                const bool blank = line_.empty() || line_ == "\r";
                line_.clear();
                if (blank)
                    state_ = State::Done;
            }
            break;
        }
        case State::Data: {
            const size_t take = static_cast<size_t>(std::min<uint64_t>(remaining_, input.size() - pos));
            out.append(input.substr(pos, take));
            pos += take;
            remaining_ -= take;
            if (remaining_ == 0)
                state_ = State::DataEnd;
            break;
        }
        case State::DataEnd: {
            // CR LF after the data; a bare LF is accepted.
            const char c = input[pos];
            if (c == '\r' && !sawCr_) {
                sawCr_ = true;
                ++pos;
            } else if (c == '\n') {
                sawCr_ = false;
                ++pos;
                state_ = State::SizeLine;
            } else {
                fail("missing line end after chunk data");
                return pos;
            }
            break;
        }
        }
    }
    return pos;
}

} // namespace narrix::net
