#pragma once

#include "net/net_result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace narrix::net {

// An http:// or https:// address split into what a request needs.
struct HttpUrl
{
    std::string scheme; // "http" or "https", lower case
    std::string host;   // lower case; IPv6 literals without brackets
    uint16_t port = 80;
    std::string target; // path and query, always starting with "/", fragment removed

    bool tls() const noexcept { return scheme == "https"; }
    bool defaultPort() const noexcept { return port == (tls() ? 443 : 80); }
    // host, or host:port when the port is not the scheme's default (the Host header's value)
    std::string authority() const;
    // scheme://authority/target: the request target sent to a proxy
    std::string absolute() const;
};

// Parses an absolute http or https URL. User information before "@" is dropped (no web server
// authentication); bytes that may not appear in a request line (controls, blanks, 8-bit) are
// percent-encoded.
NetResult<HttpUrl> parseHttpUrl(std::string_view text);

// Resolves a Location header value against the URL it came from (RFC 3986 section 5.2).
std::string resolveReference(const HttpUrl& base, std::string_view reference);

} // namespace narrix::net
