#pragma once

#include "net/cookie_jar.h"
#include "net/http_response_head.h"
#include "net/net_connection.h"
#include "net/net_result.h"
#include "net/transfer_events.h"
#include "net/url.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QIODevice;

namespace narrix::net {

// HTTP/1.1 GET client: proxy, redirects, cookies for the client's life, bodies by length, chunked
// coding or connection close, kept-alive connections reused, TLS for https. Every wait pumps the
// thread's events (NetConnection), so the user can press Esc, which calls AbortSocket. An event
// handler must not destroy the client while a fetch waits: abort it and use deleteLater().
class HttpClient : public QObject
{
    Q_OBJECT

public:
    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // Empty host = direct connection. Set before each request.
    void setProxy(const std::string& host, int port);
    const std::string& proxyHost() const noexcept { return proxyHost_; }
    int proxyPort() const noexcept { return proxyPort_; }

    void setIdleTimeout(std::chrono::milliseconds timeout) { connection_.setIdleTimeout(timeout); }
    void setTransferDeadline(std::chrono::milliseconds deadline)
    {
        connection_.setTransferDeadline(deadline);
    }
    void setExtraCaCertificates(const QList<QSslCertificate>& certificates)
    {
        connection_.setExtraCaCertificates(certificates);
    }

    // GET `url` and return the whole body (bytes as received). Fails on any network failure, a
    // final status outside 2xx, more than kMaxRedirects redirects in a row, or a body over
    // kMaxBodySize.
    NetResult<std::string> FetchText(const std::string& url);
    // The same, writing the body into `stream` as it arrives.
    NetStatus FetchToStream(const std::string& url, QIODevice& stream);
    bool IsOpen() const;
    // Closes the socket at once; a fetch waiting inside the pumping guard then fails.
    void AbortSocket();

    const CookieJar& cookies() const noexcept { return cookies_; }
    // The Content-Type of the last successful fetch's final reply (empty when it had none).
    const std::string& contentType() const noexcept { return contentType_; }

    static constexpr int kMaxRedirects = 15;
    static constexpr int kMaxInterimReplies = 16;
    static constexpr uint64_t kMaxBodySize = uint64_t{64} << 20;
    static constexpr size_t kMaxHeadSize = 128 * 1024;
    static constexpr size_t kReadChunk = 1 << 20;

Q_SIGNALS:
    void status(narrix::net::TransferStatus code, const QString& text);
    void workBegin(narrix::net::WorkMode mode, qint64 expectedTotal);
    void work(narrix::net::WorkMode mode, qint64 count);
    void workEnd(narrix::net::WorkMode mode);

private:
    // Where a body goes: written piece by piece, or (FetchText) read straight into one string,
    // which saves a copy of every byte.
    struct BodySink
    {
        std::function<NetStatus(std::string_view)> write;
        std::string* direct = nullptr;
    };
    struct Endpoint
    {
        std::string host;
        uint16_t port = 0;
        bool tls = false;
        std::string proxyHost;
        int proxyPort = 0;
        bool operator==(const Endpoint&) const = default;
    };

    NetStatus fetch(const std::string& url, const BodySink& sink);
    NetStatus requestOnce(const HttpUrl& url, HttpResponseHead& head);
    NetStatus connectFor(const HttpUrl& url);
    NetResult<HttpResponseHead> readHead();
    NetStatus readBody(const BodyFramingInfo& framing, const BodySink& sink);
    NetStatus readSome(size_t max, size_t& got);

    NetConnection connection_;
    CookieJar cookies_;
    std::string proxyHost_;
    int proxyPort_ = 0;
    Endpoint openEndpoint_;
    std::string buffer_; // bytes received but not yet used
    std::string contentType_;
    std::unique_ptr<char[]> chunk_; // receive buffer for bodies that go to a stream
    // Set while an operation runs; a second call (from an event handler running inside the
    // pumping guard) is refused, so the client is never used for two operations at once.
    bool busy_ = false;
};

} // namespace narrix::net
