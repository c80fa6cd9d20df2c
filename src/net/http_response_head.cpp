#include "net/http_response_head.h"

#include "net/net_text.h"

#include "base/text_trim.h"

namespace narrix::net {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isTokenChar(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7f)
        return false;
    return std::string_view("()<>@,;:\\\"/[]?={}").find(c) == std::string_view::npos;
}

bool parseStatusLine(std::string_view line, HttpResponseHead& head)
{
    if (line.substr(0, 5) != "HTTP/")
        return false;
    size_t i = 5;
    auto readNumber = [&](int& out) {
        const size_t start = i;
        out = 0;
        while (i < line.size() && isDigit(line[i]) && i - start < 3)
            out = out * 10 + (line[i++] - '0');
        return i > start;
    };
    if (!readNumber(head.versionMajor) || i >= line.size() || line[i] != '.')
        return false;
    ++i;
    if (!readNumber(head.versionMinor))
        return false;
    if (i >= line.size() || line[i] != ' ')
        return false;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (i + 3 > line.size() || !isDigit(line[i]) || !isDigit(line[i + 1]) || !isDigit(line[i + 2]))
        return false;
    head.status = (line[i] - '0') * 100 + (line[i + 1] - '0') * 10 + (line[i + 2] - '0');
    i += 3;
    if (head.status < 100)
        return false;
    if (i < line.size() && line[i] != ' ')
        return false;
    head.reason = std::string(trimWhite(line.substr(i)));
    return true;
}

} // namespace

std::optional<std::string_view> HttpResponseHead::field(std::string_view name) const
{
    for (const auto& f : fields) {
        if (equalsIgnoringAsciiCase(f.name, name))
            return std::string_view(f.value);
    }
    return std::nullopt;
}

std::vector<std::string_view> HttpResponseHead::fieldsNamed(std::string_view name) const
{
    std::vector<std::string_view> out;
    for (const auto& f : fields) {
        if (equalsIgnoringAsciiCase(f.name, name))
            out.emplace_back(f.value);
    }
    return out;
}

size_t findHeadEnd(std::string_view buffer, size_t from)
{
    // Back up so that a line end split across two appends is still seen.
    size_t i = from >= 3 ? from - 3 : 0;
    for (; i < buffer.size(); ++i) {
        if (buffer[i] != '\n')
            continue;
        if (i + 1 < buffer.size() && buffer[i + 1] == '\n')
            return i + 2;
        if (i + 2 < buffer.size() && buffer[i + 1] == '\r' && buffer[i + 2] == '\n')
            return i + 3;
    }
    return std::string_view::npos;
}

HeadParseResult parseResponseHead(std::string_view text)
{
    HeadParseResult result;
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            first = false;
            if (!parseStatusLine(line, result.head))
                result.error = HeadParseError::BadStatusLine;
            if (result.error != HeadParseError::None)
                return result;
            continue;
        }
        if (line.empty())
            break;
        if (line.front() == ' ' || line.front() == '\t') {
            // obsolete line folding continues the previous field
            if (!result.head.fields.empty()) {
                auto& value = result.head.fields.back().value;
                const std::string_view more = trimWhite(line);
                if (!more.empty()) {
                    if (!value.empty())
                        value += ' ';
                    value += more;
                }
            }
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue;
        const std::string_view name = line.substr(0, colon);
        bool validName = true;
        for (const char c : name)
            validName = validName && isTokenChar(c);
        if (!validName)
            continue;
        result.head.fields.push_back({std::string(name), std::string(trimWhite(line.substr(colon + 1)))});
    }
    if (first)
        result.error = HeadParseError::BadStatusLine;
    return result;
}

bool headerListHas(std::string_view list, std::string_view token)
{
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t comma = list.find(',', pos);
        if (comma == std::string_view::npos)
            comma = list.size();
        std::string_view item = trimWhite(list.substr(pos, comma - pos));
        if (const size_t semi = item.find(';'); semi != std::string_view::npos)
            item = trimWhite(item.substr(0, semi));
        if (equalsIgnoringAsciiCase(item, token))
            return true;
        pos = comma + 1;
    }
    return false;
}

BodyFramingInfo bodyFramingOf(const HttpResponseHead& head)
{
    if ((head.status >= 100 && head.status < 200) || head.status == 204 || head.status == 304)
        return {BodyFraming::None, 0};
    const auto codings = head.fieldsNamed("Transfer-Encoding");
    if (!codings.empty()) {
        // Chunked must be the last coding; anything else runs until the connection closes.
        std::string_view last = codings.back();
        if (const size_t comma = last.rfind(','); comma != std::string_view::npos)
            last = last.substr(comma + 1);
        if (equalsIgnoringAsciiCase(trimWhite(last), "chunked"))
            return {BodyFraming::Chunked, 0};
        return {BodyFraming::UntilClose, 0};
    }
    const auto lengths = head.fieldsNamed("Content-Length");
    if (lengths.empty())
        return {BodyFraming::UntilClose, 0};
    std::optional<uint64_t> agreed;
    for (const std::string_view value : lengths) {
        // "Content-Length: 5, 5" is a repeated field joined by a proxy; every item must agree.
        size_t pos = 0;
        while (pos <= value.size()) {
            size_t comma = value.find(',', pos);
            if (comma == std::string_view::npos)
                comma = value.size();
            const std::string_view item = trimWhite(value.substr(pos, comma - pos));
            if (item.empty() || item.size() > 18)
                return {BodyFraming::Invalid, 0};
            uint64_t n = 0;
            for (const char c : item) {
                if (!isDigit(c))
                    return {BodyFraming::Invalid, 0};
                n = n * 10 + static_cast<uint64_t>(c - '0');
            }
            if (agreed && *agreed != n)
                return {BodyFraming::Invalid, 0};
            agreed = n;
            pos = comma + 1;
        }
    }
    return {BodyFraming::Length, *agreed};
}

bool keepsAlive(const HttpResponseHead& head)
{
    const auto connection = head.field("Connection");
    if (connection && headerListHas(*connection, "close"))
        return false;
    if (bodyFramingOf(head).framing == BodyFraming::UntilClose)
        return false;
    if (head.versionMajor > 1 || (head.versionMajor == 1 && head.versionMinor >= 1))
        return true;
    return connection && headerListHas(*connection, "keep-alive");
}

} // namespace narrix::net
