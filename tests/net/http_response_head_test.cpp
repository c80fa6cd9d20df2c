#include "net/http_request.h"
#include "net/http_response_head.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(HttpResponseHead, ParsesStatusLineFieldsAndFoldedLines)
{
    const std::string text = "HTTP/1.1 301 Moved Permanently\r\n"
                             "Location: /new\r\n"
                             "Set-Cookie: a=1\r\n"
                             "set-cookie: b=2\r\n"
                             "X-Long: one\r\n"
                             "  two\r\n"
                             "no colon here\r\n"
                             "\r\n";
    ASSERT_EQ(findHeadEnd(text), text.size());
    const auto r = parseResponseHead(text);
    ASSERT_EQ(r.error, HeadParseError::None);
    EXPECT_EQ(r.head.status, 301);
    EXPECT_EQ(r.head.reason, "Moved Permanently");
    EXPECT_EQ(r.head.field("location").value(), "/new");
    EXPECT_EQ(r.head.fieldsNamed("Set-Cookie").size(), 2u);
    EXPECT_EQ(r.head.field("X-Long").value(), "one two");
    EXPECT_FALSE(r.head.field("no colon here"));
}

TEST(HttpResponseHead, FindsTheEndAcrossAppendsAndBareLineFeeds)
{
    std::string buffer = "HTTP/1.0 200 OK\nA: b\n";
    EXPECT_EQ(findHeadEnd(buffer), std::string::npos);
    const size_t scanned = buffer.size();
    buffer += "\nbody";
    EXPECT_EQ(findHeadEnd(buffer, scanned), buffer.size() - 4);
    std::string crlf = "HTTP/1.1 200 OK\r\n\r";
    const size_t s2 = crlf.size();
    crlf += "\nX";
    EXPECT_EQ(findHeadEnd(crlf, s2), crlf.size() - 1);
}

TEST(HttpResponseHead, RejectsGarbageStatusLines)
{
    for (const char* bad :
         {"garbage\r\n\r\n", "HTTP/1.1\r\n\r\n", "HTTP/1.1 20 OK\r\n\r\n", "HTTP/x.1 200 OK\r\n\r\n",
          "HTTP/1.1 200OK\r\n\r\n", "HTTP/1.1 099 Low\r\n\r\n", ""}) {
        EXPECT_EQ(parseResponseHead(bad).error, HeadParseError::BadStatusLine) << bad;
    }
    EXPECT_EQ(parseResponseHead("HTTP/1.1 200\r\n\r\n").error, HeadParseError::None);
}

HttpResponseHead head(const std::string& text)
{
    return parseResponseHead(text).head;
}

TEST(HttpResponseHead, ChoosesHowTheBodyIsDelimited)
{
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n")).length, 12u);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 5, 5\r\n\r\n")).framing,
              BodyFraming::Length);
    EXPECT_EQ(
        bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n")).framing,
        BodyFraming::Invalid);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n")).framing,
              BodyFraming::Invalid);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n")).framing,
              BodyFraming::Invalid);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 2147483648\r\n\r\n")).length,
              2147483648u);
    // Transfer-Encoding wins over Content-Length (a smuggling defence).
    EXPECT_EQ(
        bodyFramingOf(head("HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: Chunked\r\n\r\n"))
            .framing,
        BodyFraming::Chunked);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n")).framing,
              BodyFraming::UntilClose);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 200 OK\r\n\r\n")).framing, BodyFraming::UntilClose);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 304 Not Modified\r\nContent-Length: 9\r\n\r\n")).framing,
              BodyFraming::None);
    EXPECT_EQ(bodyFramingOf(head("HTTP/1.1 204 No Content\r\n\r\n")).framing, BodyFraming::None);
}

TEST(HttpResponseHead, DecidesWhetherTheConnectionStaysOpen)
{
    EXPECT_TRUE(keepsAlive(head("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n")));
    EXPECT_FALSE(
        keepsAlive(head("HTTP/1.1 200 OK\r\nConnection: Keep-Alive, close\r\nContent-Length: 1\r\n\r\n")));
    EXPECT_FALSE(keepsAlive(head("HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\n")));
    EXPECT_TRUE(keepsAlive(head("HTTP/1.0 200 OK\r\nConnection: keep-alive\r\nContent-Length: 1\r\n\r\n")));
    EXPECT_FALSE(keepsAlive(head("HTTP/1.1 200 OK\r\n\r\n"))); // body runs until close
}

TEST(HttpRequest, WritesExactlyTheListedHeaders)
{
    const HttpUrl url = parseHttpUrl("http://Host.example:8080/p?q").value();
    EXPECT_EQ(buildGetRequest(url, false, ""), "GET /p?q HTTP/1.1\r\n"
                                               "Host: host.example:8080\r\n"
                                               "Accept: text/html, */*\r\n"
                                               "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                               "\r\n");
    EXPECT_EQ(buildGetRequest(parseHttpUrl("http://h/").value(), true, "a=1; b=2"),
              "GET http://h/ HTTP/1.1\r\nHost: h\r\nAccept: text/html, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\nCookie: a=1; b=2\r\n\r\n");
    EXPECT_EQ(buildConnectRequest(parseHttpUrl("https://h/x").value()).substr(0, 37),
              "CONNECT h:443 HTTP/1.1\r\nHost: h:443\r\n");
}
