#include "net/http_client.h"

#include "net/chunked_decoder.h"
#include "net/http_request.h"

#include <QDateTime>
#include <QIODevice>
#include <QScopeGuard>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace narrix::net {
namespace {

bool isRedirect(const HttpResponseHead& head)
{
    return (head.status >= 300 && head.status < 400 && head.status != 304) ||
           head.field("Location").has_value();
}

// A body of many megabytes is written into fresh memory, and touching it page by page costs more
// than receiving it. Where the system offers them, huge pages cut that cost.
void adviseLargeBuffer(std::string& buffer)
{
#ifdef __linux__
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
    if (buffer.capacity() < 2 * kHugePage)
        return;
    const auto begin = reinterpret_cast<uintptr_t>(buffer.data());
    const uintptr_t alignedBegin = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t alignedEnd = (begin + buffer.capacity()) & ~(kHugePage - 1);
    if (alignedEnd > alignedBegin)
        ::madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
#else
    (void)buffer;
#endif
}

NetError tooLarge()
{
    return netError(NetErrorKind::TooLarge,
                    "the reply is larger than " + std::to_string(HttpClient::kMaxBodySize >> 20) + " MiB");
}

} // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent)
{
    connection_.setStatusSink(
        [this](TransferStatus code, const QString& text) { Q_EMIT status(code, text); });
}

HttpClient::~HttpClient() = default;

void HttpClient::setProxy(const std::string& host, int port)
{
    proxyHost_ = host;
    proxyPort_ = port;
}

bool HttpClient::IsOpen() const
{
    return connection_.isOpen();
}

void HttpClient::AbortSocket()
{
    // buffer_ stays: a fetch may be using it right now (an event handler can call this from
    // inside a work event). It is dropped when the next connection opens.
    connection_.abort();
}

NetResult<std::string> HttpClient::FetchText(const std::string& url)
{
    std::string body;
    BodySink sink;
    sink.direct = &body;
    sink.write = [&body](std::string_view data) {
        body.append(data);
        return netOk();
    };
    NetStatus done = fetch(url, sink);
    if (!done.ok())
        return done.error();
    return body;
}

NetStatus HttpClient::FetchToStream(const std::string& url, QIODevice& stream)
{
    BodySink sink;
    sink.write = [&stream](std::string_view data) {
        if (stream.write(data.data(), static_cast<qint64>(data.size())) != static_cast<qint64>(data.size()))
            return NetStatus(netError(NetErrorKind::Socket,
                                      "could not write the reply: " + stream.errorString().toStdString()));
        return netOk();
    };
    return fetch(url, sink);
}

NetStatus HttpClient::readSome(size_t max, size_t& got)
{
    auto n = connection_.readSome(buffer_, max);
    if (!n.ok())
        return n.error();
    got = n.value();
    return netOk();
}

NetStatus HttpClient::connectFor(const HttpUrl& url)
{
    const Endpoint wanted{url.host, url.port, url.tls(), proxyHost_, proxyHost_.empty() ? 0 : proxyPort_};
    if (connection_.isOpen() && wanted == openEndpoint_)
        return netOk();
    connection_.close();
    buffer_.clear();
    if (proxyHost_.empty()) {
        NetStatus opened = connection_.open(url.host, url.port, url.tls());
        if (!opened.ok())
            return opened;
    } else {
        if (proxyPort_ <= 0 || proxyPort_ > 65535)
            return netError(NetErrorKind::ConnectFailed, "the proxy port is not set");
        NetStatus opened = connection_.open(proxyHost_, static_cast<quint16>(proxyPort_), false);
        if (!opened.ok())
            return opened;
        if (url.tls()) {
            // https through a proxy: ask it for a tunnel, then speak TLS with the server inside it.
            NetStatus sent = connection_.write(buildConnectRequest(url));
            if (!sent.ok())
                return sent;
            auto head = readHead();
            if (!head.ok())
                return head.error();
            if (head.value().status < 200 || head.value().status > 299)
                return netError(NetErrorKind::ConnectFailed,
                                "the proxy refused the tunnel: " + std::to_string(head.value().status));
            buffer_.clear();
            NetStatus secured = connection_.startTls(url.host);
            if (!secured.ok())
                return secured;
        }
    }
    openEndpoint_ = wanted;
    return netOk();
}

NetResult<HttpResponseHead> HttpClient::readHead()
{
    size_t scanned = 0;
    while (true) {
        // Blank lines before a status line are tolerated (RFC 7230 section 3.5).
        size_t skip = 0;
        while (skip < buffer_.size() && (buffer_[skip] == '\r' || buffer_[skip] == '\n'))
            ++skip;
        if (skip > 0) {
            buffer_.erase(0, skip);
            scanned = 0;
        }
        const std::string_view prefix = std::string_view(buffer_).substr(0, 5);
        if (std::string_view("HTTP/").substr(0, prefix.size()) != prefix)
            return netError(NetErrorKind::Protocol, "the reply does not start with an HTTP status line");
        const size_t end = findHeadEnd(buffer_, scanned);
        if (end != std::string::npos) {
            HeadParseResult parsed = parseResponseHead(std::string_view(buffer_).substr(0, end));
            buffer_.erase(0, end);
            if (parsed.error != HeadParseError::None)
                return netError(NetErrorKind::Protocol, "bad HTTP status line");
            return std::move(parsed.head);
        }
        if (buffer_.size() > kMaxHeadSize)
            return netError(NetErrorKind::Protocol, "the reply header is too long");
        scanned = buffer_.size();
        size_t got = 0;
        NetStatus read = readSome(kReadChunk, got);
        if (!read.ok())
            return read.error();
        if (got == 0)
            return netError(NetErrorKind::ConnectionClosed,
                            "the server closed the connection without replying");
    }
}

NetStatus HttpClient::requestOnce(const HttpUrl& url, HttpResponseHead& head)
{
    // A kept-alive connection may have been closed by the server meanwhile: when a reused
    // connection fails before any reply byte, the request is sent once more on a new one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool reused =
            connection_.isOpen() && openEndpoint_ == Endpoint{url.host, url.port, url.tls(), proxyHost_,
                                                              proxyHost_.empty() ? 0 : proxyPort_};
        NetStatus connected = connectFor(url);
        if (!connected.ok())
            return connected;
        const bool viaProxy = !proxyHost_.empty() && !url.tls();
        const std::string cookie = cookies_.headerFor(url, QDateTime::currentSecsSinceEpoch());
        NetStatus sent = connection_.write(buildGetRequest(url, viaProxy, cookie));
        NetResult<HttpResponseHead> got = sent.ok() ? readHead() : NetResult<HttpResponseHead>(sent.error());
        // Interim 1xx replies come before the real one; a server that sends nothing else is cut off.
        for (int interim = 0;
             got.ok() && got.value().status >= 100 && got.value().status < 200 && got.value().status != 101;
             ++interim) {
            if (interim == kMaxInterimReplies) {
                got = netError(NetErrorKind::Protocol, "too many interim replies");
                break;
            }
            got = readHead();
        }
        if (got.ok()) {
            head = std::move(got.value());
            if (head.status == 101)
                return netError(NetErrorKind::Protocol, "unexpected protocol switch");
            return netOk();
        }
        const NetErrorKind kind = got.error().kind;
        const bool stale = reused && buffer_.empty() &&
                           (kind == NetErrorKind::ConnectionClosed || kind == NetErrorKind::Socket);
        if (!stale || attempt == 1)
            return got.error();
        connection_.close();
    }
    return netError(NetErrorKind::ConnectionClosed, "the server closed the connection without replying");
}

NetStatus HttpClient::readBody(const BodyFramingInfo& framing, const BodySink& sink)
{
    qint64 total = 0;
    const qint64 expected = framing.framing == BodyFraming::Length ? static_cast<qint64>(framing.length) : 0;
    if (framing.framing == BodyFraming::Length && framing.length > kMaxBodySize)
        return tooLarge();
    if (sink.direct && expected > 0) {
        sink.direct->reserve(sink.direct->size() + static_cast<size_t>(expected));
        adviseLargeBuffer(*sink.direct);
    }
    Q_EMIT workBegin(WorkMode::Read, expected);
    const auto ended = qScopeGuard([this] { Q_EMIT workEnd(WorkMode::Read); });
    auto deliver = [&](std::string_view data) -> NetStatus {
        if (data.empty())
            return netOk();
        total += static_cast<qint64>(data.size());
        if (static_cast<uint64_t>(total) > kMaxBodySize)
            return tooLarge();
        NetStatus written = sink.write(data);
        if (!written.ok())
            return written;
        Q_EMIT work(WorkMode::Read, total);
        return netOk();
    };
    // Receives and delivers at most `max` bytes: straight into the caller's string when it has
    // one, else through a reusable chunk. `got` 0 means the peer closed.
    auto receive = [&](size_t max, size_t& got) -> NetStatus {
        if (!sink.direct) {
            if (!chunk_)
                chunk_ = std::make_unique<char[]>(kReadChunk);
            auto n = connection_.readInto(chunk_.get(), std::min(max, kReadChunk));
            if (!n.ok())
                return n.error();
            got = n.value();
            return deliver(std::string_view(chunk_.get(), got));
        }
        auto n = connection_.readSome(*sink.direct, max);
        if (!n.ok())
            return n.error();
        got = n.value();
        total += static_cast<qint64>(got);
        if (static_cast<uint64_t>(total) > kMaxBodySize)
            return tooLarge();
        if (got > 0)
            Q_EMIT work(WorkMode::Read, total);
        return netOk();
    };

    switch (framing.framing) {
    case BodyFraming::None:
        return netOk();
    case BodyFraming::Invalid:
        return netError(NetErrorKind::Protocol, "bad Content-Length");
    case BodyFraming::Length: {
        uint64_t remaining = framing.length;
        while (true) {
            const size_t take = static_cast<size_t>(std::min<uint64_t>(remaining, buffer_.size()));
            NetStatus delivered = deliver(std::string_view(buffer_).substr(0, take));
            buffer_.erase(0, take);
            if (!delivered.ok())
                return delivered;
            remaining -= take;
            if (remaining == 0)
                return netOk();
            size_t got = 0;
            NetStatus read = receive(static_cast<size_t>(std::min<uint64_t>(remaining, kReadChunk)), got);
            if (!read.ok())
                return read;
            if (got == 0)
                return netError(NetErrorKind::ConnectionClosed,
                                "the connection closed before the whole reply arrived");
            remaining -= got;
            if (remaining == 0)
                return netOk();
        }
    }
    case BodyFraming::Chunked: {
        Q_EMIT status(TransferStatus::Text, QStringLiteral("Chunk Started"));
        ChunkedDecoder decoder;
        std::string decoded;
        // Extensions and trailers carry no data: their bytes are limited too, so tiny chunks with
        // long extensions cannot keep a fetch busy for ever.
        uint64_t raw = 0;
        while (true) {
            decoded.clear();
            const size_t used = decoder.feed(buffer_, decoded);
            buffer_.erase(0, used);
            raw += used;
            if (raw > 2 * kMaxBodySize)
                return tooLarge();
            NetStatus delivered = deliver(decoded);
            if (!delivered.ok())
                return delivered;
            if (decoder.failed())
                return netError(NetErrorKind::Protocol, "bad chunked body: " + decoder.error());
            if (decoder.done())
                return netOk();
            size_t got = 0;
            NetStatus read = readSome(kReadChunk, got);
            if (!read.ok())
                return read;
            if (got == 0)
                return netError(NetErrorKind::ConnectionClosed,
                                "the connection closed inside a chunked body");
        }
    }
    case BodyFraming::UntilClose: {
        while (true) {
            NetStatus delivered = deliver(buffer_);
            buffer_.clear();
            if (!delivered.ok())
                return delivered;
            // One byte more than allowed is enough to tell that the body is too large.
            const uint64_t room = kMaxBodySize + 1 - static_cast<uint64_t>(total);
            size_t got = 0;
            NetStatus read = receive(static_cast<size_t>(std::min<uint64_t>(room, kReadChunk)), got);
            if (!read.ok())
                return read;
            if (got == 0)
                return netOk();
        }
    }
    }
    return netOk();
}

NetStatus HttpClient::fetch(const std::string& startUrl, const BodySink& sink)
{
    if (busy_)
        return netError(NetErrorKind::Busy, "the client is already transferring");
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    connection_.startTransfer();
    contentType_.clear();

    std::string current = startUrl;
    for (int redirects = 0;; ++redirects) {
        auto parsed = parseHttpUrl(current);
        if (!parsed.ok())
            return parsed.error();
        const HttpUrl& url = parsed.value();
        HttpResponseHead head;
        NetStatus requested = requestOnce(url, head);
        if (!requested.ok()) {
            connection_.close();
            return requested;
        }
        const int64_t now = QDateTime::currentSecsSinceEpoch();
        for (const auto& field : head.fields) {
            if (equalsIgnoringAsciiCase(field.name, "Set-Cookie") ||
                equalsIgnoringAsciiCase(field.name, "Set-Cookie2"))
                cookies_.store(field.value, url, now);
        }
        const BodyFramingInfo framing = bodyFramingOf(head);
        const auto location = head.field("Location");
        if (isRedirect(head) && location && !location->empty()) {
            if (redirects >= kMaxRedirects) {
                connection_.close();
                return netError(NetErrorKind::TooManyRedirects,
                                "more than " + std::to_string(kMaxRedirects) + " redirects in a row");
            }
            const std::string next = resolveReference(url, *location);
            // A short redirect body is read and dropped so the connection can be reused.
            const bool drain =
                keepsAlive(head) && (framing.framing == BodyFraming::None ||
                                     (framing.framing == BodyFraming::Length && framing.length <= 65536));
            BodySink discard;
            discard.write = [](std::string_view) { return netOk(); };
            NetStatus drained = drain ? readBody(framing, discard) : netOk();
            if (!drain || !drained.ok())
                connection_.close();
            current = next;
            continue;
        }
        if (head.status < 200 || head.status > 299) {
            connection_.close();
            NetError error =
                netError(NetErrorKind::HttpStatus, "HTTP " + std::to_string(head.status) +
                                                       (head.reason.empty() ? "" : " " + head.reason));
            error.httpStatus = head.status;
            return error;
        }
        contentType_ = std::string(head.field("Content-Type").value_or(std::string_view()));
        NetStatus body = readBody(framing, sink);
        if (!body.ok() || !keepsAlive(head))
            connection_.close();
        return body;
    }
}

} // namespace narrix::net
