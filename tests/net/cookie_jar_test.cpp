#include "net/cookie_jar.h"

#include <gtest/gtest.h>

using namespace narrix::net;

namespace {
HttpUrl url(const char* text)
{
    return parseHttpUrl(text).value();
}
constexpr int64_t kNow = 1'700'000'000;
} // namespace

TEST(CookieJar, SendsCookiesBackByHostAndPath)
{
    CookieJar jar;
    jar.store("sid=abc; Path=/", url("http://www.example.com/login"), kNow);
    jar.store("pref=dark; Path=/app", url("http://www.example.com/login"), kNow);
    jar.store("dflt=1", url("http://www.example.com/docs/page.html"), kNow); // default path /docs
    jar.store("wide=1; Domain=.Example.com", url("http://www.example.com/"), kNow);
    jar.store("evil=1; Domain=other.com", url("http://www.example.com/"), kNow); // refused
    EXPECT_EQ(jar.size(), 4u);

    EXPECT_EQ(jar.headerFor(url("http://www.example.com/app/x"), kNow), "pref=dark; sid=abc; wide=1");
    EXPECT_EQ(jar.headerFor(url("http://www.example.com/docs/"), kNow), "dflt=1; sid=abc; wide=1");
    EXPECT_EQ(jar.headerFor(url("http://www.example.com/apples"), kNow), "sid=abc; wide=1");
    EXPECT_EQ(jar.headerFor(url("http://sub.example.com/"), kNow), "wide=1");
    EXPECT_EQ(jar.headerFor(url("http://example.com/"), kNow), "wide=1");
    EXPECT_EQ(jar.headerFor(url("http://badexample.com/"), kNow), "");
}

TEST(CookieJar, ReplacesExpiresAndHonoursSecure)
{
    CookieJar jar;
    const HttpUrl site = url("https://h/");
    jar.store("a=1", site, kNow);
    jar.store("a=2", site, kNow);
    EXPECT_EQ(jar.headerFor(site, kNow), "a=2");
    jar.store("a=3; Max-Age=0", site, kNow);
    EXPECT_EQ(jar.headerFor(site, kNow), "");
    jar.store("b=1; Max-Age=60", site, kNow);
    EXPECT_EQ(jar.headerFor(site, kNow + 59), "b=1");
    EXPECT_EQ(jar.headerFor(site, kNow + 60), "");
    const int64_t later = kNow + 100;
    jar.store("c=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT", site, later); // in the past: not stored
    jar.store("d=1; Secure", site, later);
    EXPECT_EQ(jar.headerFor(site, later), "d=1");
    EXPECT_EQ(jar.headerFor(url("http://h/"), later), "");
    jar.store("bad\r\nname=1", site, later);
    jar.store("=novalue", site, later);
    jar.store("noequals", site, later);
    EXPECT_EQ(jar.headerFor(site, later), "d=1");
}

TEST(CookieJar, ParsesCookieDatesInTheirCommonForms)
{
    EXPECT_EQ(parseCookieDate("Wed, 21 Oct 2015 07:28:00 GMT"), 1445412480);
    EXPECT_EQ(parseCookieDate("Wednesday, 21-Oct-15 07:28:00 GMT"), 1445412480);
    EXPECT_EQ(parseCookieDate("Wed Oct 21 07:28:00 2015"), 1445412480);
    EXPECT_EQ(parseCookieDate("Thu, 01 Jan 1970 00:00:00 GMT"), 0);
    EXPECT_FALSE(parseCookieDate("yesterday"));
    EXPECT_FALSE(parseCookieDate("Wed, 32 Oct 2015 07:28:00 GMT"));
    EXPECT_FALSE(parseCookieDate("Wed, 21 Oct 2015 25:28:00 GMT"));
}

TEST(CookieJar, MatchesDomainsAndPathsAsRfc6265Says)
{
    EXPECT_TRUE(domainMatches("a.b.com", "b.com"));
    EXPECT_FALSE(domainMatches("ab.com", "b.com"));
    EXPECT_FALSE(domainMatches("1.2.3.4", "2.3.4"));
    EXPECT_TRUE(pathMatches("/a/b", "/a"));
    EXPECT_TRUE(pathMatches("/a/b", "/a/"));
    EXPECT_FALSE(pathMatches("/ab", "/a"));
    EXPECT_EQ(defaultCookiePath("/a/b/c?x/y"), "/a/b");
    EXPECT_EQ(defaultCookiePath("/a"), "/");
}
