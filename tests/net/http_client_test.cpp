#include "net/http_client.h"
#include "net_test_support.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace narrix::net;
using namespace narrix::net::testing;
using namespace std::chrono_literals;

namespace {

// Records every event a client raises.
struct Events
{
    explicit Events(HttpClient& client)
    {
        QObject::connect(&client, &HttpClient::status, &client, [this](TransferStatus, const QString& text) {
            statuses.push_back(text.toStdString());
        });
        QObject::connect(&client, &HttpClient::workBegin, &client, [this](WorkMode, qint64 total) {
            begins.push_back(total);
            ++open;
        });
        QObject::connect(&client, &HttpClient::work, &client,
                         [this](WorkMode, qint64 count) { last = count; });
        QObject::connect(&client, &HttpClient::workEnd, &client, [this](WorkMode) { --open; });
    }
    bool saw(const std::string& status) const
    {
        return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
    }
    std::vector<std::string> statuses;
    std::vector<qint64> begins;
    qint64 last = 0;
    int open = 0;
};

NetErrorKind failureOf(HttpClient& client, const std::string& url)
{
    auto r = client.FetchText(url);
    EXPECT_FALSE(r.ok()) << url;
    return r.ok() ? NetErrorKind::Socket : r.error().kind;
}

} // namespace

TEST(HttpClient, ReadsBodiesByLengthChunkedCodingAndConnectionClose)
{
    HttpClient client;
    Events ev(client);
    auto hello = client.FetchText(http("/hello"));
    ASSERT_TRUE(hello.ok()) << hello.error().message;
    EXPECT_EQ(hello.value(), "Hello, world!");
    EXPECT_EQ(client.contentType(), "text/plain");
    EXPECT_TRUE(ev.saw("Resolving hostname 127.0.0.1."));
    EXPECT_TRUE(ev.saw("Connecting to 127.0.0.1."));
    EXPECT_TRUE(ev.saw("Connected."));
    EXPECT_EQ(ev.begins, std::vector<qint64>{13});
    EXPECT_EQ(ev.last, 13);
    EXPECT_EQ(ev.open, 0);

    auto interim = client.FetchText(http("/continue"));
    ASSERT_TRUE(interim.ok()) << interim.error().message;
    EXPECT_EQ(interim.value(), "after interim");

    auto chunked = client.FetchText(http("/chunked"));
    ASSERT_TRUE(chunked.ok()) << chunked.error().message;
    EXPECT_EQ(chunked.value(), "Wikipedia in chunks.");
    EXPECT_TRUE(ev.saw("Chunk Started"));
    EXPECT_EQ(ev.begins.back(), 0) << "no Content-Length: work begins with 0";

    auto closed = client.FetchText(http("/close"));
    ASSERT_TRUE(closed.ok()) << closed.error().message;
    EXPECT_EQ(closed.value(), "until the end");
    EXPECT_EQ(ev.begins.back(), 0);
    EXPECT_EQ(ev.last, 13);
    EXPECT_TRUE(ev.saw("Disconnecting."));
    EXPECT_EQ(ev.statuses.back(), "Disconnected.");
    EXPECT_FALSE(client.IsOpen());
}

TEST(HttpClient, SendsExactlyTheListedRequestHeaders)
{
    HttpClient client;
    auto echo = client.FetchText(http("/echo?x=1"));
    ASSERT_TRUE(echo.ok()) << echo.error().message;
    EXPECT_EQ(echo.value(), "GET /echo?x=1 HTTP/1.1\r\n"
                            "Host: 127.0.0.1:18481\r\n"
                            "Accept: text/html, */*\r\n"
                            "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n");
}

TEST(HttpClient, ReusesAKeptAliveConnection)
{
    HttpClient client;
    auto first = client.FetchText(http("/conn"));
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(client.IsOpen());
    auto second = client.FetchText(http("/conn"));
    ASSERT_TRUE(second.ok());
    const std::string port = first.value().substr(0, first.value().find(' '));
    EXPECT_EQ(second.value(), port + " 2") << "the second request travels on the same connection";

    // Aborting an idle connection closes it; the next fetch opens a new one.
    client.AbortSocket();
    EXPECT_FALSE(client.IsOpen());
    auto third = client.FetchText(http("/conn"));
    ASSERT_TRUE(third.ok()) << third.error().message;
    EXPECT_EQ(third.value().substr(third.value().find(' ')), " 1");
}

TEST(HttpClient, RetriesOnceWhenTheServerDroppedAnIdleConnection)
{
    HttpClient client;
    auto first = client.FetchText(http("/short-keepalive"));
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(client.IsOpen());
    // No events run meanwhile, so the client learns of the close only when it uses the connection.
    std::this_thread::sleep_for(300ms);
    auto second = client.FetchText(http("/hello"));
    ASSERT_TRUE(second.ok()) << second.error().message;
    EXPECT_EQ(second.value(), "Hello, world!");
}

TEST(HttpClient, FollowsUpToFifteenRedirectsInARow)
{
    HttpClient client;
    auto fifteen = client.FetchText(http("/redirect/15"));
    ASSERT_TRUE(fifteen.ok()) << fifteen.error().message;
    EXPECT_EQ(fifteen.value(), "arrived");
    EXPECT_EQ(failureOf(client, http("/redirect/16")), NetErrorKind::TooManyRedirects);
    EXPECT_EQ(failureOf(client, http("/loop")), NetErrorKind::TooManyRedirects);
    auto relative = client.FetchText(http("/relative/here"));
    ASSERT_TRUE(relative.ok());
    EXPECT_EQ(relative.value(), "Hello, world!");
    // Any reply with a Location header is followed, whatever its status.
    auto located = client.FetchText(http("/location-on-200"));
    ASSERT_TRUE(located.ok());
    EXPECT_EQ(located.value(), "Hello, world!");
}

TEST(HttpClient, KeepsCookiesForItsLifeAndSendsThemBack)
{
    HttpClient client;
    ASSERT_TRUE(client.FetchText(http("/setcookie")).ok());
    EXPECT_EQ(client.cookies().size(), 3u);
    auto echo = client.FetchText(http("/echo"));
    ASSERT_TRUE(echo.ok());
    EXPECT_NE(echo.value().find("\r\nCookie: sid=42; two=2\r\n"), std::string::npos) << echo.value();

    // A cookie set by a redirect reply goes with the request that follows it.
    auto hop = client.FetchText(http("/cookie-redirect"));
    ASSERT_TRUE(hop.ok());
    EXPECT_NE(hop.value().find("Cookie: sid=42; two=2; hop=yes\r\n"), std::string::npos) << hop.value();

    HttpClient other;
    auto fresh = other.FetchText(http("/echo"));
    ASSERT_TRUE(fresh.ok());
    EXPECT_EQ(fresh.value().find("Cookie:"), std::string::npos);
}

TEST(HttpClient, AFinalStatusOutside2xxIsAFailure)
{
    HttpClient client;
    auto missing = client.FetchText(http("/status/404"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, NetErrorKind::HttpStatus);
    EXPECT_EQ(missing.error().httpStatus, 404);
    EXPECT_EQ(failureOf(client, http("/status/500")), NetErrorKind::HttpStatus);
    EXPECT_EQ(failureOf(client, http("/status/302")), NetErrorKind::HttpStatus)
        << "a redirect without Location";
    EXPECT_EQ(failureOf(client, "http://127.0.0.1:" + std::to_string(kClosedPort) + "/"),
              NetErrorKind::ConnectFailed);
    EXPECT_EQ(failureOf(client, "ftp://127.0.0.1/"), NetErrorKind::BadAddress);
}

TEST(HttpClient, GoesThroughAProxy)
{
    HttpClient client;
    client.setProxy("127.0.0.1", kProxyPort);
    auto echo = client.FetchText(http("/echo"));
    ASSERT_TRUE(echo.ok()) << echo.error().message;
    EXPECT_NE(echo.value().find("Via: 1.1"), std::string::npos) << echo.value();
    EXPECT_NE(echo.value().find("tinyproxy"), std::string::npos);

    // https through the proxy: a CONNECT tunnel with TLS inside, verified against the server.
    client.setExtraCaCertificates(testCa());
    auto secure = client.FetchText(https("/hello"));
    ASSERT_TRUE(secure.ok()) << secure.error().message;
    EXPECT_EQ(secure.value(), "Hello, world!");

    client.setProxy("127.0.0.1", 0);
    EXPECT_EQ(failureOf(client, http("/hello")), NetErrorKind::ConnectFailed);
    client.setProxy("", 0);
    EXPECT_TRUE(client.FetchText(http("/hello")).ok());
}

TEST(HttpClient, VerifiesTlsCertificates)
{
    HttpClient trusting;
    trusting.setExtraCaCertificates(testCa());
    auto hello = trusting.FetchText(https("/hello"));
    ASSERT_TRUE(hello.ok()) << hello.error().message;
    EXPECT_EQ(hello.value(), "Hello, world!");
    auto redirected = trusting.FetchText(http("/to-https"));
    ASSERT_TRUE(redirected.ok()) << redirected.error().message;
    EXPECT_EQ(redirected.value(), "Hello, world!");
    // The certificate names localhost, not the address.
    EXPECT_EQ(failureOf(trusting, "https://127.0.0.1:" + std::to_string(kTlsPort) + "/hello"),
              NetErrorKind::Tls);

    HttpClient strict;
    EXPECT_EQ(failureOf(strict, https("/hello")), NetErrorKind::Tls) << "an unknown CA is refused";
}

TEST(HttpClient, WritesTheBodyIntoAStream)
{
    HttpClient client;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(client.FetchToStream(http("/chunked"), buffer).ok());
    EXPECT_EQ(buffer.data(), QByteArray("Wikipedia in chunks."));
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(client.FetchToStream(http("/hello"), readOnly).ok());
}

TEST(HttpClient, HostileServersEndInAFailureWithoutHanging)
{
    HttpClient client;
    EXPECT_EQ(failureOf(client, http("/endless-chunked")), NetErrorKind::TooLarge);
    EXPECT_EQ(failureOf(client, http("/huge-length")), NetErrorKind::TooLarge);
    EXPECT_EQ(failureOf(client, http("/garbage")), NetErrorKind::Protocol);
    EXPECT_EQ(failureOf(client, http("/endless-interim")), NetErrorKind::Protocol);
    EXPECT_EQ(failureOf(client, http("/big-header")), NetErrorKind::Protocol);
    const NetErrorKind reset = failureOf(client, http("/reset"));
    EXPECT_TRUE(reset == NetErrorKind::ConnectionClosed || reset == NetErrorKind::Socket)
        << static_cast<int>(reset);

    client.setIdleTimeout(600ms);
    // The time-out counts silence, not the length of the whole transfer.
    auto trickle = client.FetchText(http("/trickle"));
    ASSERT_TRUE(trickle.ok()) << trickle.error().message;
    EXPECT_EQ(trickle.value().size(), 20u);
    EXPECT_EQ(failureOf(client, "http://127.0.0.1:" + std::to_string(kSilentPort) + "/"),
              NetErrorKind::TimedOut);
    // The client is usable again after each failure.
    EXPECT_TRUE(client.FetchText(http("/hello")).ok());
}

// A server that drips a byte now and then never trips the silence rule; the transfer's overall
// deadline (shortened here as start-up shortens it for NARRIX_TRANSFER_DEADLINE_SECONDS) ends it.
TEST(HttpClient, ASlowDripEndsAtTheTransferDeadline)
{
    NetConnection::setDefaultTransferDeadline(2s);
    HttpClient client;
    NetConnection::setDefaultTransferDeadline({});
    client.setIdleTimeout(1500ms);
    const auto dripped = client.FetchText(http("/drip"));
    ASSERT_FALSE(dripped.ok());
    EXPECT_EQ(dripped.error().kind, NetErrorKind::TimedOut);
    EXPECT_EQ(dripped.error().message, "the transfer took longer than 2 s");
    // Each fetch has its own deadline.
    EXPECT_TRUE(client.FetchText(http("/hello")).ok());
    EXPECT_EQ(NetConnection::defaultTransferDeadline(), std::chrono::minutes(10));
}

TEST(HttpClient, AbortSocketDuringABodyFailsTheFetchAtOnce)
{
    HttpClient client;
    Events ev(client);
    bool scheduled = false;
    QObject::connect(&client, &HttpClient::work, &client, [&](WorkMode, qint64) {
        if (!scheduled) {
            scheduled = true;
            // As the Esc key would: a handler that runs while the fetch waits.
            QTimer::singleShot(200, &client, [&client] { client.AbortSocket(); });
        }
    });
    QElapsedTimer timer;
    timer.start();
    auto slow = client.FetchText(http("/slow"));
    ASSERT_FALSE(slow.ok());
    EXPECT_EQ(slow.error().kind, NetErrorKind::Aborted);
    EXPECT_LT(timer.elapsed(), 5000) << "the server would have taken 10 s";
    EXPECT_EQ(ev.open, 0) << "work end follows work begin also on failure";
    EXPECT_EQ(ev.statuses.back(), "Disconnected.");
    EXPECT_FALSE(client.IsOpen());
    EXPECT_TRUE(client.FetchText(http("/hello")).ok()) << "the next fetch starts afresh";

    // Aborting straight from a work event handler, while the body is being handed over.
    HttpClient eager;
    QObject::connect(&eager, &HttpClient::work, &eager, [&eager](WorkMode, qint64) { eager.AbortSocket(); });
    auto chunked = eager.FetchText(http("/slow"));
    ASSERT_FALSE(chunked.ok());
    EXPECT_EQ(chunked.error().kind, NetErrorKind::Aborted);
}

TEST(HttpClient, EventsKeepFlowingWhileAFetchWaitsAndASecondFetchIsRefused)
{
    HttpClient client;
    client.setIdleTimeout(1500ms);
    int ticks = 0;
    NetErrorKind nested = NetErrorKind::Socket;
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, &client, [&] {
        if (++ticks == 3) {
            auto again = client.FetchText(http("/hello"));
            nested = again.ok() ? NetErrorKind::Socket : again.error().kind;
        }
    });
    timer.start();
    EXPECT_EQ(failureOf(client, "http://127.0.0.1:" + std::to_string(kSilentPort) + "/"),
              NetErrorKind::TimedOut);
    timer.stop();
    EXPECT_GE(ticks, 8) << "timers ran during the wait";
    EXPECT_EQ(nested, NetErrorKind::Busy);
}
