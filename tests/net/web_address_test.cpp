#include "net/web_address.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(WebAddress, RecognisesHttpAndHttpsInAnyCase)
{
    EXPECT_TRUE(isWebAddress("http://example.com"));
    EXPECT_TRUE(isWebAddress("  HTTPS://example.com/x "));
    EXPECT_TRUE(isWebAddress("Http://"));
    EXPECT_FALSE(isWebAddress("example.com/page.html"));
    EXPECT_FALSE(isWebAddress("ftp://example.com"));
    EXPECT_FALSE(isWebAddress("/home/me/http://x"));
    EXPECT_FALSE(isWebAddress("EMAIL://a b c d e N"));
}

TEST(WebAddress, ReadsTheProxySettingsAsChannelRetrievalDoes)
{
    auto direct = proxyFromSettings("  ", "8080");
    ASSERT_TRUE(direct.ok());
    EXPECT_EQ(direct.value().host, "");
    EXPECT_EQ(direct.value().port, 0);
    auto set = proxyFromSettings(" proxy.lan ", " 3128 ");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set.value().host, "proxy.lan");
    EXPECT_EQ(set.value().port, 3128);
    auto noPort = proxyFromSettings("proxy.lan", "");
    ASSERT_TRUE(noPort.ok());
    EXPECT_EQ(noPort.value().port, 0);
    EXPECT_FALSE(proxyFromSettings("proxy.lan", "80a").ok());
    EXPECT_FALSE(proxyFromSettings("proxy.lan", "-1").ok());
    EXPECT_FALSE(proxyFromSettings("proxy.lan", "99999999999").ok());
}

TEST(WebAddress, TakesTheCharsetOfAContentType)
{
    EXPECT_EQ(charsetOfContentType("text/html; charset=ISO-8859-1"), "ISO-8859-1");
    EXPECT_EQ(charsetOfContentType("text/html;Charset=\"utf-8\";q=1"), "utf-8");
    EXPECT_EQ(charsetOfContentType("text/html"), "");
    EXPECT_EQ(charsetOfContentType(""), "");
}
