#pragma once

#include "net/net_result.h"
#include "net/transfer_events.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSslCertificate>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSslSocket;

namespace narrix::net {

// One TCP (optionally TLS) connection that only moves bytes. Every wait runs inside the
// message-pumping guard (see waitUntil): the calling thread's events keep flowing, so a key
// handler can call abort() and the waiting call then fails at once. Once the program shuts its
// transfers down (transfer_shutdown.h) every call fails at once.
class NetConnection : public QObject
{
    Q_OBJECT

public:
    using StatusSink = std::function<void(TransferStatus, const QString&)>;

    explicit NetConnection(QObject* parent = nullptr);
    ~NetConnection() override;

    void setStatusSink(StatusSink sink) { statusSink_ = std::move(sink); }
    // Without any received byte for this long a wait fails with TimedOut.
    void setIdleTimeout(std::chrono::milliseconds timeout) { idleTimeout_ = timeout; }
    std::chrono::milliseconds idleTimeout() const noexcept { return idleTimeout_; }
    // However steadily bytes arrive, or however fast a peer answers, one transfer (from
    // startTransfer on) fails with TimedOut after this long. The default is 10 minutes unless
    // start-up gave another (NARRIX_TRANSFER_DEADLINE_SECONDS). A wait that times out closes the
    // connection.
    void setTransferDeadline(std::chrono::milliseconds deadline) { transferDeadline_ = deadline; }
    static std::chrono::milliseconds defaultTransferDeadline();
    // The default of connections made from now on; zero or less restores 10 minutes.
    static void setDefaultTransferDeadline(std::chrono::milliseconds deadline);
    // CA certificates trusted besides the system's store (tests use a private CA).
    void setExtraCaCertificates(const QList<QSslCertificate>& certificates) { extraCa_ = certificates; }

    // Resolves `host`, connects to the first address that answers and, with `tls`, completes the
    // TLS handshake with full certificate and host name verification.
    NetStatus open(const std::string& host, quint16 port, bool tls);
    // Starts TLS on an open plain connection (after a proxy's CONNECT), verifying `peerName`.
    NetStatus startTls(const std::string& peerName);

    NetStatus write(std::string_view bytes);
    // Waits until bytes arrive and appends at most `max` of them to `out`. Returns the count;
    // 0 means the peer closed the connection.
    NetResult<size_t> readSome(std::string& out, size_t max);
    // The same into caller-owned memory of at least `max` bytes.
    NetResult<size_t> readInto(char* destination, size_t max);

    bool isOpen() const;
    // Starts a new transfer: an abort requested before it no longer counts, and its deadline starts.
    void startTransfer() noexcept
    {
        aborted_ = false;
        sinceTransferStart_.start();
    }
    // The next step of the same transfer: an abort requested before it no longer counts; the
    // deadline goes on.
    void clearAbort() noexcept { aborted_ = false; }
    // Closes at once from anywhere, also from an event handler while another call waits.
    void abort();
    // Ordinary close with the Disconnecting and Disconnected status events.
    void close();

    // The slice of the message-pumping guard.
    static constexpr std::chrono::milliseconds kPumpSlice{250};

private:
    NetStatus waitUntil(const std::function<bool()>& ready);
    // Why no wait may start or go on now (an abort, the shutdown, a passed deadline), if so.
    std::optional<NetError> stopReason() const;
    std::chrono::milliseconds transferTimeLeft() const;
    // Closes the socket and returns `reason`.
    NetError stopWaiting(NetError reason);
    NetError socketError(NetErrorKind fallback) const;
    void status(TransferStatus code, const QString& text);
    void resetSocket();
    NetStatus waitForEncryption();

    std::unique_ptr<QSslSocket> socket_;
    StatusSink statusSink_;
    std::chrono::milliseconds idleTimeout_{std::chrono::seconds(120)};
    std::chrono::milliseconds transferDeadline_ = defaultTransferDeadline();
    QElapsedTimer sinceTransferStart_;
    QList<QSslCertificate> extraCa_;
    QElapsedTimer sincePump_; // since the thread's events last ran inside a wait
    bool aborted_ = false;
    bool wakeUp_ = false;
    QString tlsErrors_;
    std::function<void()> quitLoop_;
};

} // namespace narrix::net
