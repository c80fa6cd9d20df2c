#include "net/url.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(HttpUrl, SplitsSchemeHostPortAndTarget)
{
    auto u = parseHttpUrl("  HTTP://Example.COM:8080/a/b?q=1#frag ");
    ASSERT_TRUE(u.ok());
    EXPECT_EQ(u.value().scheme, "http");
    EXPECT_EQ(u.value().host, "example.com");
    EXPECT_EQ(u.value().port, 8080);
    EXPECT_EQ(u.value().target, "/a/b?q=1");
    EXPECT_EQ(u.value().authority(), "example.com:8080");
    EXPECT_EQ(u.value().absolute(), "http://example.com:8080/a/b?q=1");

    auto s = parseHttpUrl("https://user:pw@host?x");
    ASSERT_TRUE(s.ok());
    EXPECT_TRUE(s.value().tls());
    EXPECT_EQ(s.value().host, "host");
    EXPECT_EQ(s.value().port, 443);
    EXPECT_EQ(s.value().target, "/?x");
    EXPECT_EQ(s.value().authority(), "host");

    auto v6 = parseHttpUrl("http://[::1]:81/");
    ASSERT_TRUE(v6.ok());
    EXPECT_EQ(v6.value().host, "::1");
    EXPECT_EQ(v6.value().authority(), "[::1]:81");
}

TEST(HttpUrl, EncodesBytesThatCannotTravelInARequestLine)
{
    auto u = parseHttpUrl("http://h/a b\r\nX: y/\xc3\xa9");
    ASSERT_TRUE(u.ok());
    EXPECT_EQ(u.value().target, "/a%20b%0D%0AX:%20y/%C3%A9");
}

TEST(HttpUrl, RefusesWhatIsNotAnHttpAddress)
{
    for (const char* bad : {"ftp://h/", "h/path", "http://", "http://:80/", "http://h:0/", "http://h:65536/",
                            "http://h:8x/", "http://[::1/", "http://h h/", "http://a%2fb/"}) {
        EXPECT_FALSE(parseHttpUrl(bad).ok()) << bad;
    }
}

TEST(HttpUrl, ResolvesRedirectLocations)
{
    const HttpUrl base = parseHttpUrl("http://h:81/a/b/c?q").value();
    EXPECT_EQ(resolveReference(base, "https://other/x"), "https://other/x");
    EXPECT_EQ(resolveReference(base, "//other/x"), "http://other/x");
    EXPECT_EQ(resolveReference(base, "/root"), "http://h:81/root");
    EXPECT_EQ(resolveReference(base, "d"), "http://h:81/a/b/d");
    EXPECT_EQ(resolveReference(base, "../d?z"), "http://h:81/a/d?z");
    EXPECT_EQ(resolveReference(base, "../../../../d"), "http://h:81/d");
    EXPECT_EQ(resolveReference(base, "./"), "http://h:81/a/b/");
    EXPECT_EQ(resolveReference(base, "?y"), "http://h:81/a/b/c?y");
    EXPECT_EQ(resolveReference(base, " /sp#frag "), "http://h:81/sp");
}
