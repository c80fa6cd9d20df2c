#include "net/url.h"

#include "net/net_text.h"

#include "base/text_trim.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace narrix::net {
namespace {

std::string percentEncodeUnsafe(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7f || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
            c == '{' || c == '|' || c == '}') {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// A scheme is ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) followed by ":".
bool hasScheme(std::string_view ref)
{
    if (ref.empty() || !std::isalpha(static_cast<unsigned char>(ref[0])))
        return false;
    for (size_t i = 1; i < ref.size(); ++i) {
        const char c = ref[i];
        if (c == ':')
            return true;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

// RFC 3986 section 5.2.4, done with a segment stack so it stays linear.
std::string removeDotSegments(std::string_view path)
{
    std::vector<std::string_view> segments;
    const bool absolute = !path.empty() && path.front() == '/';
    size_t pos = absolute ? 1 : 0;
    bool trailingSlash = false;
    while (pos <= path.size()) {
        const size_t slash = path.find('/', pos);
        const std::string_view seg =
            path.substr(pos, slash == std::string_view::npos ? std::string_view::npos : slash - pos);
        trailingSlash = false;
        if (seg == ".") {
            trailingSlash = true;
        } else if (seg == "..") {
            if (!segments.empty())
                segments.pop_back();
            trailingSlash = true;
        } else {
            segments.push_back(seg);
        }
        if (slash == std::string_view::npos)
            break;
        pos = slash + 1;
    }
    std::string out = absolute ? "/" : "";
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0)
            out += '/';
        out += segments[i];
    }
    if (trailingSlash && !out.empty() && out.back() != '/')
        out += '/';
    return out;
}

} // namespace

std::string HttpUrl::authority() const
{
    std::string h = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    if (!defaultPort())
        h += ":" + std::to_string(port);
    return h;
}

std::string HttpUrl::absolute() const
{
    return scheme + "://" + authority() + target;
}

NetResult<HttpUrl> parseHttpUrl(std::string_view text)
{
    text = trimView(text);
    HttpUrl url;
    if (startsWithIgnoringAsciiCase(text, "http://")) {
        url.scheme = "http";
        url.port = 80;
        text.remove_prefix(7);
    } else if (startsWithIgnoringAsciiCase(text, "https://")) {
        url.scheme = "https";
        url.port = 443;
        text.remove_prefix(8);
    } else {
        return netError(NetErrorKind::BadAddress, "not an http or https address");
    }
    const size_t authorityEnd = text.find_first_of("/?#");
    std::string_view authority = text.substr(0, authorityEnd);
    std::string_view rest =
        authorityEnd == std::string_view::npos ? std::string_view() : text.substr(authorityEnd);
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);

    std::string_view hostPart = authority;
    std::string_view portPart;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return netError(NetErrorKind::BadAddress, "unterminated IPv6 address");
        hostPart = authority.substr(1, close - 1);
        std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                return netError(NetErrorKind::BadAddress, "bad text after IPv6 address");
            portPart = after.substr(1);
        }
    } else if (const size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
        hostPart = authority.substr(0, colon);
        portPart = authority.substr(colon + 1);
    }
    if (hostPart.empty())
        return netError(NetErrorKind::BadAddress, "no host name");
    for (const char c : hostPart) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b == 0x7f || c == '/' || c == '\\' || c == '%')
            return netError(NetErrorKind::BadAddress, "bad character in host name");
        url.host += toLowerAscii(c);
    }
    if (!portPart.empty()) {
        unsigned long port = 0;
        for (const char c : portPart) {
            if (c < '0' || c > '9')
                return netError(NetErrorKind::BadAddress, "bad port number");
            port = port * 10 + static_cast<unsigned long>(c - '0');
            if (port > 65535)
                return netError(NetErrorKind::BadAddress, "port number out of range");
        }
        if (port == 0)
            return netError(NetErrorKind::BadAddress, "port number out of range");
        url.port = static_cast<uint16_t>(port);
    }
    if (const size_t hash = rest.find('#'); hash != std::string_view::npos)
        rest = rest.substr(0, hash);
    url.target = percentEncodeUnsafe(rest);
    if (url.target.empty() || url.target.front() != '/')
        url.target.insert(0, "/");
    return url;
}

std::string resolveReference(const HttpUrl& base, std::string_view reference)
{
    std::string_view ref = trimView(reference);
    if (const size_t hash = ref.find('#'); hash != std::string_view::npos)
        ref = ref.substr(0, hash);
    if (hasScheme(ref))
        return std::string(ref);
    const std::string origin = base.scheme + "://" + base.authority();
    if (ref.substr(0, 2) == "//")
        return base.scheme + ":" + std::string(ref);
    const std::string_view basePath = std::string_view(base.target).substr(0, base.target.find('?'));
    if (ref.empty())
        return origin + base.target;
    if (ref.front() == '?')
        return origin + std::string(basePath) + std::string(ref);

    const size_t queryAt = ref.find('?');
    const std::string_view refPath = ref.substr(0, queryAt);
    const std::string_view query =
        queryAt == std::string_view::npos ? std::string_view() : ref.substr(queryAt);
    std::string merged;
    if (refPath.front() == '/') {
        merged = std::string(refPath);
    } else {
        const size_t lastSlash = basePath.rfind('/');
        merged = std::string(basePath.substr(0, lastSlash + 1)) + std::string(refPath);
    }
    return origin + removeDotSegments(merged) + std::string(query);
}

} // namespace narrix::net
