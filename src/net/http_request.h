#pragma once

#include "net/url.h"

#include <string>
#include <string_view>

namespace narrix::net {

inline constexpr std::string_view kHttpAccept = "text/html, */*";
inline constexpr std::string_view kHttpUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

// The GET request for `url`: the path in the request line, or the absolute URL when it goes to a
// proxy; then Host, Accept, User-Agent, the cookies (when any) and the blank line.
std::string buildGetRequest(const HttpUrl& url, bool viaProxy, std::string_view cookieHeader);

// The request that asks a proxy for a tunnel to an https server (RFC 7231 section 4.3.6).
std::string buildConnectRequest(const HttpUrl& url);

} // namespace narrix::net
