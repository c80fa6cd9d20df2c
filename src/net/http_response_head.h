#pragma once

#include "base/ascii_case.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace narrix::net {

struct HttpHeaderField
{
    std::string name;
    std::string value; // folded lines joined with one blank, surrounding blanks removed
};

struct HttpResponseHead
{
    int versionMajor = 1;
    int versionMinor = 1;
    int status = 0;
    std::string reason;
    std::vector<HttpHeaderField> fields;

    // The first field of that name (letter case ignored).
    std::optional<std::string_view> field(std::string_view name) const;
    std::vector<std::string_view> fieldsNamed(std::string_view name) const;
};

// Where the head ends: the index just past the blank line (CR LF CR LF, or bare LF line ends), or
// npos. `from` lets a caller that appends data resume the scan instead of starting over.
size_t findHeadEnd(std::string_view buffer, size_t from = 0);

enum class HeadParseError { None, BadStatusLine };

struct HeadParseResult
{
    HeadParseError error = HeadParseError::None;
    HttpResponseHead head;
};

// Parses a complete head (status line and header fields, up to and including the blank line).
// Field lines without a colon are skipped, as browsers do; a status line that is not
// "HTTP/x.y nnn ..." is an error.
HeadParseResult parseResponseHead(std::string_view head);

// How the body of a reply is delimited (RFC 7230 section 3.3.3).
enum class BodyFraming { None, Length, Chunked, UntilClose, Invalid };

struct BodyFramingInfo
{
    BodyFraming framing = BodyFraming::None;
    uint64_t length = 0; // for Length
};

BodyFramingInfo bodyFramingOf(const HttpResponseHead& head);

// Whether the connection may carry another request after this reply.
bool keepsAlive(const HttpResponseHead& head);

// True when `list` (a comma-separated header value) holds `token`, letter case ignored.
bool headerListHas(std::string_view list, std::string_view token);

} // namespace narrix::net
