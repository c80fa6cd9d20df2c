#include "net/cookie_jar.h"

#include "net/net_text.h"

#include "net/http_response_head.h"

#include <algorithm>
#include <limits>

namespace narrix::net {
namespace {

bool isIpAddress(std::string_view host)
{
    if (host.find(':') != std::string_view::npos)
        return true;
    return !host.empty() &&
           std::all_of(host.begin(), host.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

std::string_view pathOnly(std::string_view target)
{
    return target.substr(0, target.find('?'));
}

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    // Howard Hinnant's days_from_civil
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool isDelimiter(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b == 0x09 || (b >= 0x20 && b <= 0x2f) || (b >= 0x3b && b <= 0x40) || (b >= 0x5b && b <= 0x60) ||
           (b >= 0x7b && b <= 0x7e);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads 1 to maxDigits digits at the start of token; returns digits read (0 = none).
size_t leadingNumber(std::string_view token, size_t maxDigits, int& value)
{
    size_t n = 0;
    value = 0;
    while (n < token.size() && isDigit(token[n]) && n < maxDigits)
        value = value * 10 + (token[n++] - '0');
    if (n < token.size() && isDigit(token[n]))
        return 0; // too many digits
    return n;
}

} // namespace

std::optional<int64_t> parseCookieDate(std::string_view text)
{
    bool haveTime = false, haveDay = false, haveMonth = false, haveYear = false;
    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isDelimiter(text[pos]))
            ++pos;
        size_t end = pos;
        while (end < text.size() && !isDelimiter(text[end]))
            ++end;
        const std::string_view token = text.substr(pos, end - pos);
        pos = end;
        if (token.empty())
            continue;
        int a = 0, b = 0, c = 0;
        if (!haveTime) {
            size_t i = leadingNumber(token, 2, a);
            if (i > 0 && i < token.size() && token[i] == ':') {
                const std::string_view r1 = token.substr(i + 1);
                const size_t j = leadingNumber(r1, 2, b);
                if (j > 0 && j < r1.size() && r1[j] == ':') {
                    const std::string_view r2 = r1.substr(j + 1);
                    if (leadingNumber(r2, 2, c) > 0) {
                        haveTime = true;
                        hour = a;
                        minute = b;
                        second = c;
                        continue;
                    }
                }
            }
        }
        if (!haveDay && leadingNumber(token, 2, a) > 0) {
            haveDay = true;
            day = a;
            continue;
        }
        if (!haveMonth && token.size() >= 3) {
            static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                 "jul", "aug", "sep", "oct", "nov", "dec"};
            const std::string m = toLowerAscii(token.substr(0, 3));
            for (int k = 0; k < 12; ++k) {
                if (m == months[k]) {
                    haveMonth = true;
                    month = k + 1;
                }
            }
            if (haveMonth)
                continue;
        }
        if (!haveYear) {
            const size_t n = leadingNumber(token, 4, a);
            if (n >= 2) {
                haveYear = true;
                year = a;
            }
        }
    }
    if (!haveTime || !haveDay || !haveMonth || !haveYear)
        return std::nullopt;
    if (year >= 70 && year <= 99)
        year += 1900;
    else if (year >= 0 && year <= 69)
        year += 2000;
    if (day < 1 || day > 31 || year < 1601 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           hour * 3600 + minute * 60 + second;
}

bool domainMatches(std::string_view host, std::string_view domain)
{
    if (equalsIgnoringAsciiCase(host, domain))
        return true;
    if (isIpAddress(host) || host.size() <= domain.size())
        return false;
    return equalsIgnoringAsciiCase(host.substr(host.size() - domain.size()), domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

bool pathMatches(std::string_view requestPath, std::string_view cookiePath)
{
    if (requestPath == cookiePath)
        return true;
    if (requestPath.size() <= cookiePath.size() || requestPath.substr(0, cookiePath.size()) != cookiePath)
        return false;
    return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

std::string defaultCookiePath(std::string_view requestTarget)
{
    const std::string_view path = pathOnly(requestTarget);
    if (path.empty() || path.front() != '/')
        return "/";
    const size_t last = path.rfind('/');
    if (last == 0)
        return "/";
    return std::string(path.substr(0, last));
}

void CookieJar::store(std::string_view setCookie, const HttpUrl& from, int64_t now)
{
    if (setCookie.size() > kMaxCookieSize)
        return;
    size_t semi = setCookie.find(';');
    const std::string_view pair = setCookie.substr(0, semi);
    const size_t eq = pair.find('=');
    if (eq == std::string_view::npos)
        return;
    Cookie cookie;
    cookie.name = std::string(trimWhite(pair.substr(0, eq)));
    cookie.value = std::string(trimWhite(pair.substr(eq + 1)));
    if (cookie.name.empty())
        return;
    for (const char c : cookie.name + cookie.value) {
        if (c == '\r' || c == '\n' || c == '\0')
            return;
    }
    std::optional<int64_t> maxAgeExpiry;
    std::optional<int64_t> expiresExpiry;
    std::string domainAttr;
    std::string pathAttr;
    while (semi != std::string_view::npos) {
        const size_t start = semi + 1;
        semi = setCookie.find(';', start);
        const std::string_view attr =
            setCookie.substr(start, semi == std::string_view::npos ? semi : semi - start);
        const size_t aeq = attr.find('=');
        const std::string name = toLowerAscii(trimWhite(attr.substr(0, aeq)));
        const std::string_view value =
            aeq == std::string_view::npos ? std::string_view() : trimWhite(attr.substr(aeq + 1));
        if (name == "expires") {
            expiresExpiry = parseCookieDate(value);
        } else if (name == "max-age") {
            if (value.empty() || !(isDigit(value.front()) || value.front() == '-'))
                continue;
            bool negative = value.front() == '-';
            int64_t seconds = 0;
            bool valid = true;
            for (size_t i = negative ? 1 : 0; i < value.size(); ++i) {
                if (!isDigit(value[i])) {
                    valid = false;
                    break;
                }
                seconds = std::min<int64_t>(seconds * 10 + (value[i] - '0'), int64_t{1} << 40);
            }
            if (!valid)
                continue;
            maxAgeExpiry = (negative || seconds == 0) ? std::numeric_limits<int64_t>::min() : now + seconds;
        } else if (name == "domain") {
            std::string_view d = value;
            if (!d.empty() && d.front() == '.')
                d.remove_prefix(1);
            if (!d.empty())
                domainAttr = toLowerAscii(d);
        } else if (name == "path") {
            if (!value.empty() && value.front() == '/')
                pathAttr = std::string(value);
        } else if (name == "secure") {
            cookie.secure = true;
        }
    }
    if (maxAgeExpiry)
        cookie.expires = maxAgeExpiry;
    else if (expiresExpiry)
        cookie.expires = expiresExpiry;

    if (!domainAttr.empty()) {
        if (!domainMatches(from.host, domainAttr))
            return;
        cookie.domain = domainAttr;
        cookie.hostOnly = false;
    } else {
        cookie.domain = from.host;
        cookie.hostOnly = true;
    }
    cookie.path = pathAttr.empty() ? defaultCookiePath(from.target) : pathAttr;

    auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& c) {
        return c.name == cookie.name && c.domain == cookie.domain && c.path == cookie.path;
    });
    if (same != cookies_.end())
        cookies_.erase(same);
    if (cookie.expires && *cookie.expires <= now)
        return; // an expiry in the past deletes the cookie
    if (cookies_.size() >= kMaxCookies)
        cookies_.erase(cookies_.begin());
    cookies_.push_back(std::move(cookie));
}

std::string CookieJar::headerFor(const HttpUrl& url, int64_t now) const
{
    std::vector<const Cookie*> matching;
    const std::string_view path = pathOnly(url.target);
    for (const Cookie& c : cookies_) {
        if (c.expires && *c.expires <= now)
            continue;
        if (c.hostOnly ? !equalsIgnoringAsciiCase(url.host, c.domain) : !domainMatches(url.host, c.domain))
            continue;
        if (!pathMatches(path, c.path))
            continue;
        if (c.secure && !url.tls())
            continue;
        matching.push_back(&c);
    }
    // Longer paths first; among equal paths the older cookie first (the list keeps arrival order).
    std::stable_sort(matching.begin(), matching.end(),
                     [](const Cookie* a, const Cookie* b) { return a->path.size() > b->path.size(); });
    std::string header;
    for (const Cookie* c : matching) {
        if (!header.empty())
            header += "; ";
        header += c->name;
        header += '=';
        header += c->value;
    }
    return header;
}

} // namespace narrix::net
