#pragma once

#include "net/url.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace narrix::net {

struct Cookie
{
    std::string name;
    std::string value;
    std::string domain; // lower case, without a leading dot
    std::string path;
    bool hostOnly = true;
    bool secure = false;
    std::optional<int64_t> expires; // seconds since the epoch; none = for the client's life
};

// Cookies received by one HTTP client, kept in memory for the client's life and sent back by
// domain and path as RFC 6265 section 5 describes. Times are passed in so tests need no clock.
class CookieJar
{
public:
    // Stores (or replaces, or with a past expiry removes) the cookie of one Set-Cookie value.
    void store(std::string_view setCookie, const HttpUrl& from, int64_t now);

    // The Cookie header value for a request to `url`: "a=1; b=2", longer paths first; empty when
    // no cookie applies.
    std::string headerFor(const HttpUrl& url, int64_t now) const;

    size_t size() const noexcept { return cookies_.size(); }
    const std::vector<Cookie>& cookies() const noexcept { return cookies_; }

    static constexpr size_t kMaxCookies = 3000;
    static constexpr size_t kMaxCookieSize = 4096;

private:
    std::vector<Cookie> cookies_;
};

// RFC 6265 section 5.1.1 cookie date parsing; seconds since the epoch (UTC).
std::optional<int64_t> parseCookieDate(std::string_view text);

// RFC 6265 section 5.1.3 and 5.1.4.
bool domainMatches(std::string_view host, std::string_view domain);
bool pathMatches(std::string_view requestPath, std::string_view cookiePath);
std::string defaultCookiePath(std::string_view requestTarget);

} // namespace narrix::net
