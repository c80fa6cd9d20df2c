#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace narrix::net {

enum class Pop3ReplyKind { Ok, Err, Unrecognized };

// "+OK" in any letter case is a success, "-ERR" a refusal; anything else is unrecognised.
Pop3ReplyKind classifyPop3Reply(std::string_view line);

inline constexpr std::string_view kUnrecognizedPop3Reply = "Unrecognized POP3 Response Header";

// The message count of a STAT reply: the text from the 5th character on, cut at its first blank,
// read as a decimal integer ("+OK 3 4500" gives 3). Nothing when that is not a number that fits.
std::optional<int> parseStatCount(std::string_view line);

// One line of a multi-line reply: the terminating line is "." alone; a line that starts with "."
// loses that first "." (RFC 1939 section 3, byte-stuffing).
enum class Pop3Line { Data, End };
Pop3Line unstuffPop3Line(std::string_view line, std::string_view& data);

// Splits received bytes into lines ending in LF (a CR before the LF is removed). A line longer
// than the limit is an error, so a peer cannot grow memory without ever ending a line.
class LineSplitter
{
public:
    explicit LineSplitter(size_t maxLineLength) : maxLine_(maxLineLength) {}

    void append(std::string_view bytes) { buffer_.append(bytes); }
    // Takes the next whole line into `line`; false when none is complete yet.
    bool next(std::string& line);
    // True when the unfinished line already exceeds the limit.
    bool overlong() const noexcept { return buffer_.size() - start_ > maxLine_ && !hasLineEnd(); }
    void clear();

private:
    bool hasLineEnd() const noexcept;

    std::string buffer_;
    size_t start_ = 0;
    size_t maxLine_;
};

} // namespace narrix::net
