#include "net/pop3_reply.h"

#include <climits>

namespace narrix::net {

Pop3ReplyKind classifyPop3Reply(std::string_view line)
{
    if (line.size() >= 3 && line[0] == '+' && (line[1] == 'O' || line[1] == 'o') &&
        (line[2] == 'K' || line[2] == 'k'))
        return Pop3ReplyKind::Ok;
    if (line.substr(0, 4) == "-ERR")
        return Pop3ReplyKind::Err;
    return Pop3ReplyKind::Unrecognized;
}

std::optional<int> parseStatCount(std::string_view line)
{
    if (line.size() < 5)
        return std::nullopt;
    std::string_view text = line.substr(4);
    if (const size_t blank = text.find(' '); blank != std::string_view::npos)
        text = text.substr(0, blank);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return std::nullopt;
    }
    return static_cast<int>(value);
}

Pop3Line unstuffPop3Line(std::string_view line, std::string_view& data)
{
    if (line == ".")
        return Pop3Line::End;
    data = (!line.empty() && line.front() == '.') ? line.substr(1) : line;
    return Pop3Line::Data;
}

bool LineSplitter::hasLineEnd() const noexcept
{
    return buffer_.find('\n', start_) != std::string::npos;
}

bool LineSplitter::next(std::string& line)
{
    const size_t eol = buffer_.find('\n', start_);
    if (eol == std::string::npos) {
        // Drop what was consumed so the buffer never holds more than one unfinished line.
        if (start_ > 0) {
            buffer_.erase(0, start_);
            start_ = 0;
        }
        return false;
    }
    size_t end = eol;
    if (end > start_ && buffer_[end - 1] == '\r')
        --end;
    line.assign(buffer_, start_, end - start_);
    start_ = eol + 1;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return true;
}

void LineSplitter::clear()
{
    buffer_.clear();
    start_ = 0;
}

} // namespace narrix::net
