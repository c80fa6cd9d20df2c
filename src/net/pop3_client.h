#pragma once

#include "net/mail_message.h"
#include "net/net_connection.h"
#include "net/net_result.h"
#include "net/pop3_reply.h"

#include <QObject>

#include <string>

namespace narrix::net {

// POP3 client (RFC 1939) for reading a mailbox: log in, count, read headers and whole messages.
// Nothing is ever deleted. Port 995 speaks TLS from the start (RFC 8314); every other port is plain.
// Waits pump the thread's events like the HTTP client's (and the same rule holds: never destroy it
// from a handler while a command waits).
class Pop3Client : public QObject
{
    Q_OBJECT

public:
    explicit Pop3Client(QObject* parent = nullptr);
    ~Pop3Client() override;

    void setHost(const std::string& host) { host_ = host; }
    void setPort(int port) { port_ = port; }
    void setUserName(const std::string& user) { user_ = user; }
    void setPassword(const std::string& password) { password_ = password; }
    const std::string& host() const noexcept { return host_; }
    int port() const noexcept { return port_; }

    void setIdleTimeout(std::chrono::milliseconds timeout) { connection_.setIdleTimeout(timeout); }
    void setExtraCaCertificates(const QList<QSslCertificate>& certificates)
    {
        connection_.setExtraCaCertificates(certificates);
    }
    void setTransferDeadline(std::chrono::milliseconds deadline)
    {
        connection_.setTransferDeadline(deadline);
    }

    // Connects, reads the greeting, then USER and PASS. On any failure the connection is closed.
    // The transfer deadline starts here and holds for every later command until the next open.
    NetStatus OpenMailbox();
    // STAT: the number of messages.
    NetResult<int> CountMessages();
    // TOP n 0 into the message's header fields. Every failure is swallowed (false); the message
    // then keeps what it had.
    bool ReadHeader(int n, MailMessage& message);
    // RETR n into the message's header fields and its body or parts.
    NetStatus ReadMessage(int n, MailMessage& message);
    // RSET.
    NetStatus ResetMailbox();
    // Sends "Quit" and closes, also when sending fails. While another command waits it closes at
    // once instead, which makes that command fail.
    void CloseMailbox();
    bool IsOpen() const;

    static constexpr int kDefaultPort = 110;
    static constexpr int kTlsPort = 995;
    static constexpr size_t kMaxLineLength = 1 << 20;
    static constexpr size_t kMaxMessageSize = size_t{64} << 20;

Q_SIGNALS:
    void status(narrix::net::TransferStatus code, const QString& text);

private:
    NetResult<std::string> readLine();
    NetResult<std::string> command(const std::string& line);
    NetResult<std::string> readMultiline();
    // A command of the open transfer; beginTransfer also starts the transfer's deadline.
    NetStatus beginOperation();
    NetStatus beginTransfer();

    NetConnection connection_;
    LineSplitter lines_{kMaxLineLength};
    std::string host_;
    int port_ = kDefaultPort;
    std::string user_;
    std::string password_;
    // Set while a command waits; a second command from an event handler is refused.
    bool busy_ = false;
};

} // namespace narrix::net
