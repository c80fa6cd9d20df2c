#include "net/net_connection.h"

#include "net/transfer_shutdown.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QScopeGuard>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace narrix::net {
namespace {

std::string toStd(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string durationText(std::chrono::milliseconds duration)
{
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    if (seconds >= 120 && seconds % 60 == 0)
        return std::to_string(seconds / 60) + " minutes";
    return std::to_string(seconds) + " s";
}

} // namespace

namespace {

constexpr std::chrono::milliseconds kUsualTransferDeadline = std::chrono::minutes(10);
std::atomic<std::chrono::milliseconds::rep> givenTransferDeadline{kUsualTransferDeadline.count()};

} // namespace

std::chrono::milliseconds NetConnection::defaultTransferDeadline()
{
    return std::chrono::milliseconds(givenTransferDeadline.load());
}

void NetConnection::setDefaultTransferDeadline(std::chrono::milliseconds deadline)
{
    givenTransferDeadline.store(deadline.count() > 0 ? deadline.count() : kUsualTransferDeadline.count());
}

NetConnection::NetConnection(QObject* parent) : QObject(parent) {}

NetConnection::~NetConnection()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void NetConnection::status(TransferStatus code, const QString& text)
{
    if (statusSink_)
        statusSink_(code, text);
}

void NetConnection::resetSocket()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
    socket_ = std::make_unique<QSslSocket>();
    // Qt stops reading from the kernel when this much waits unread: memory stays bounded whatever
    // the peer sends.
    socket_->setReadBufferSize(1 << 20);
    if (!extraCa_.isEmpty()) {
        QSslConfiguration conf = socket_->sslConfiguration();
        conf.setCaCertificates(QSslConfiguration::systemCaCertificates() + extraCa_);
        socket_->setSslConfiguration(conf);
    }
    tlsErrors_.clear();
    auto wake = [this] {
        wakeUp_ = true;
        if (quitLoop_)
            quitLoop_();
    };
    QSslSocket* s = socket_.get();
    connect(s, &QSslSocket::readyRead, this, wake);
    connect(s, &QSslSocket::connected, this, wake);
    connect(s, &QSslSocket::encrypted, this, wake);
    connect(s, &QSslSocket::disconnected, this, wake);
    connect(s, &QSslSocket::bytesWritten, this, wake);
    connect(s, &QSslSocket::encryptedBytesWritten, this, wake);
    connect(s, &QSslSocket::errorOccurred, this, wake);
    connect(s, &QSslSocket::sslErrors, this, [this, wake](const QList<QSslError>& errors) {
        for (const QSslError& e : errors) {
            if (!tlsErrors_.isEmpty())
                tlsErrors_ += QStringLiteral("; ");
            tlsErrors_ += e.errorString();
        }
        wake();
    });
}

std::chrono::milliseconds NetConnection::transferTimeLeft() const
{
    if (!sinceTransferStart_.isValid())
        return transferDeadline_;
    return transferDeadline_ - std::chrono::milliseconds(sinceTransferStart_.elapsed());
}

std::optional<NetError> NetConnection::stopReason() const
{
    if (transfersShutDown())
        return netError(NetErrorKind::Aborted, "the program is closing");
    if (aborted_)
        return netError(NetErrorKind::Aborted, "the transfer was aborted");
    if (transferTimeLeft().count() <= 0)
        return netError(NetErrorKind::TimedOut,
                        "the transfer took longer than " + durationText(transferDeadline_));
    return std::nullopt;
}

NetError NetConnection::stopWaiting(NetError reason)
{
    // What was half sent or received cannot be taken up again: the connection goes too.
    if (socket_)
        socket_->abort();
    return reason;
}

// The message-pumping guard. The wait runs a nested event loop, so every pending event of this
// thread (keys, paints, timers, menu commands) is processed while it waits; the loop is left at
// least every kPumpSlice so the idle time-out is checked, and at once when the socket reports
// anything, abort() is called or the transfers are shut down. The abort, the shutdown and the
// transfer deadline are checked before anything else, also when data is already there, so a peer
// that answers at once cannot outrun them. Re-entry is the callers' concern: each client refuses a
// second operation while one waits (its busy flag), and the program's own flags keep handlers from
// starting another transfer.
NetStatus NetConnection::waitUntil(const std::function<bool()>& ready)
{
    if (auto stop = stopReason())
        return stopWaiting(*stop);
    // Nothing to wait for: no event loop is built (the common case while a body streams in). The
    // thread's events still get their turn at least once a slice.
    if (ready()) {
        if (!sincePump_.isValid() || sincePump_.elapsed() >= kPumpSlice.count()) {
            QCoreApplication::processEvents();
            sincePump_.start();
        }
        if (auto stop = stopReason())
            return stopWaiting(*stop);
        return netOk();
    }
    QEventLoop loop;
    QTimer slice;
    slice.setSingleShot(true);
    connect(&slice, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&TransferShutdownNotifier::instance(), &TransferShutdownNotifier::shutDown, &loop,
            &QEventLoop::quit);
    auto previousQuit = std::move(quitLoop_);
    quitLoop_ = [&loop] { loop.quit(); };
    const auto restore = qScopeGuard([&] { quitLoop_ = std::move(previousQuit); });
    QElapsedTimer idle;
    idle.start();
    while (true) {
        if (auto stop = stopReason())
            return stopWaiting(*stop);
        if (ready())
            return netOk();
        const auto left = idleTimeout_ - std::chrono::milliseconds(idle.elapsed());
        if (left.count() <= 0)
            return stopWaiting(
                netError(NetErrorKind::TimedOut,
                         "nothing was received for " + std::to_string(idleTimeout_.count() / 1000) + " s"));
        wakeUp_ = false;
        slice.start(std::min({left, transferTimeLeft(), kPumpSlice}));
        // A loop that returns without having run (-1) means the thread's loops are being left for
        // good (the program quits): waiting on would only spin.
        const bool refused = !wakeUp_ && loop.exec() != 0;
        slice.stop();
        sincePump_.start();
        if (refused)
            return stopWaiting(netError(NetErrorKind::Aborted, "the program is closing"));
    }
}

NetError NetConnection::socketError(NetErrorKind fallback) const
{
    if (aborted_)
        return netError(NetErrorKind::Aborted, "the transfer was aborted");
    if (!socket_)
        return netError(fallback, "no connection");
    NetErrorKind kind = fallback;
    switch (socket_->error()) {
    case QAbstractSocket::HostNotFoundError:
        kind = NetErrorKind::HostNotFound;
        break;
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::NetworkError:
        kind = fallback == NetErrorKind::ConnectionClosed ? fallback : NetErrorKind::ConnectFailed;
        break;
    case QAbstractSocket::RemoteHostClosedError:
        kind = NetErrorKind::ConnectionClosed;
        break;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        kind = NetErrorKind::Tls;
        break;
    default:
        break;
    }
    std::string message = toStd(socket_->errorString());
    if (!tlsErrors_.isEmpty())
        message = "certificate refused: " + toStd(tlsErrors_);
    return netError(kind, message);
}

NetStatus NetConnection::open(const std::string& host, quint16 port, bool tls)
{
    if (auto stop = stopReason())
        return *stop;
    const QString hostName = QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size()));
    status(TransferStatus::Resolving, QStringLiteral("Resolving hostname %1.").arg(hostName));

    QList<QHostAddress> addresses;
    QHostAddress literal;
    if (literal.setAddress(hostName)) {
        addresses.push_back(literal);
    } else {
        // The lookup result is shared with the callback, which may come after this call gave up.
        auto result = std::make_shared<std::optional<QHostInfo>>();
        const int id = QHostInfo::lookupHost(hostName, this, [this, result](const QHostInfo& info) {
            *result = info;
            wakeUp_ = true;
            if (quitLoop_)
                quitLoop_();
        });
        NetStatus waited = waitUntil([&] { return result->has_value(); });
        if (!waited.ok()) {
            QHostInfo::abortHostLookup(id);
            return waited.error();
        }
        if ((*result)->error() != QHostInfo::NoError || (*result)->addresses().isEmpty())
            return netError(NetErrorKind::HostNotFound, "host not found: " + host);
        addresses = (*result)->addresses();
    }

    NetError last = netError(NetErrorKind::ConnectFailed, "could not connect to " + host);
    for (const QHostAddress& address : addresses) {
        resetSocket();
        status(TransferStatus::Connecting, QStringLiteral("Connecting to %1.").arg(address.toString()));
        if (tls)
            socket_->connectToHostEncrypted(address.toString(), port, hostName);
        else
            socket_->connectToHost(address, port);
        QSslSocket* s = socket_.get();
        NetStatus waited = waitUntil([&] {
            return s->state() == QAbstractSocket::UnconnectedState ||
                   (s->state() == QAbstractSocket::ConnectedState && (!tls || s->isEncrypted())) ||
                   s->error() != QAbstractSocket::UnknownSocketError;
        });
        if (!waited.ok()) {
            socket_->abort();
            return waited.error();
        }
        if (s->state() == QAbstractSocket::ConnectedState && (!tls || s->isEncrypted())) {
            status(TransferStatus::Connected, QStringLiteral("Connected."));
            return netOk();
        }
        last = socketError(NetErrorKind::ConnectFailed);
        socket_->abort();
        // A TLS failure is about the server, not the address: no point in trying the next one.
        if (last.kind == NetErrorKind::Tls)
            break;
    }
    return last;
}

NetStatus NetConnection::waitForEncryption()
{
    QSslSocket* s = socket_.get();
    NetStatus waited = waitUntil([&] {
        return s->isEncrypted() || s->state() != QAbstractSocket::ConnectedState ||
               s->error() != QAbstractSocket::UnknownSocketError;
    });
    if (!waited.ok())
        return waited;
    if (!s->isEncrypted())
        return socketError(NetErrorKind::Tls);
    return netOk();
}

NetStatus NetConnection::startTls(const std::string& peerName)
{
    if (!isOpen())
        return netError(NetErrorKind::ConnectionClosed, "no connection");
    socket_->setPeerVerifyName(QString::fromUtf8(peerName.data(), static_cast<qsizetype>(peerName.size())));
    socket_->startClientEncryption();
    return waitForEncryption();
}

NetStatus NetConnection::write(std::string_view bytes)
{
    // A deadline passed between two commands ends the connection as one passed inside a wait does.
    if (auto stop = stopReason())
        return stopWaiting(*stop);
    if (!isOpen())
        return netError(NetErrorKind::ConnectionClosed, "the connection is closed");
    QSslSocket* s = socket_.get();
    if (s->write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return socketError(NetErrorKind::ConnectionClosed);
    NetStatus waited = waitUntil([&] {
        return (s->bytesToWrite() == 0 && s->encryptedBytesToWrite() == 0) ||
               s->state() != QAbstractSocket::ConnectedState;
    });
    if (!waited.ok())
        return waited;
    if (s->bytesToWrite() > 0 || s->encryptedBytesToWrite() > 0)
        return socketError(NetErrorKind::ConnectionClosed);
    return netOk();
}

NetResult<size_t> NetConnection::readInto(char* destination, size_t max)
{
    if (!socket_)
        return netError(NetErrorKind::ConnectionClosed, "no connection");
    QSslSocket* s = socket_.get();
    NetStatus waited =
        waitUntil([&] { return s->bytesAvailable() > 0 || s->state() != QAbstractSocket::ConnectedState; });
    if (!waited.ok())
        return waited.error();
    const qint64 available = s->bytesAvailable();
    if (available <= 0) {
        const auto err = s->error();
        if (err != QAbstractSocket::UnknownSocketError && err != QAbstractSocket::RemoteHostClosedError)
            return socketError(NetErrorKind::ConnectionClosed);
        return size_t{0};
    }
    const qint64 got =
        s->read(destination, static_cast<qint64>(std::min<size_t>(max, static_cast<size_t>(available))));
    if (got < 0)
        return socketError(NetErrorKind::ConnectionClosed);
    return static_cast<size_t>(got);
}

NetResult<size_t> NetConnection::readSome(std::string& out, size_t max)
{
    if (!socket_)
        return netError(NetErrorKind::ConnectionClosed, "no connection");
    // Grow only by what is there to read (the wait comes first), so a large `max` costs nothing.
    NetStatus waited = waitUntil(
        [&] { return socket_->bytesAvailable() > 0 || socket_->state() != QAbstractSocket::ConnectedState; });
    if (!waited.ok())
        return waited.error();
    const size_t take =
        std::min<size_t>(max, static_cast<size_t>(std::max<qint64>(socket_->bytesAvailable(), 1)));
    const size_t before = out.size();
    out.resize(before + take);
    auto got = readInto(out.data() + before, take);
    out.resize(before + (got.ok() ? got.value() : 0));
    return got;
}

bool NetConnection::isOpen() const
{
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void NetConnection::abort()
{
    aborted_ = true;
    if (socket_)
        socket_->abort();
    wakeUp_ = true;
    if (quitLoop_)
        quitLoop_();
}

void NetConnection::close()
{
    if (!socket_)
        return;
    status(TransferStatus::Disconnecting, QStringLiteral("Disconnecting."));
    if (socket_->state() != QAbstractSocket::UnconnectedState) {
        socket_->disconnectFromHost();
        if (socket_->state() != QAbstractSocket::UnconnectedState)
            socket_->abort();
    }
    socket_->disconnect(this);
    // Deleting is safe here: close() is never called from inside one of the socket's signals.
    socket_.reset();
    status(TransferStatus::Disconnected, QStringLiteral("Disconnected."));
}

} // namespace narrix::net
