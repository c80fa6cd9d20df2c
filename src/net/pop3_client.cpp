#include "net/pop3_client.h"

#include <QScopeGuard>

namespace narrix::net {
namespace {

bool hasLineBreak(const std::string& text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

// A "-ERR" to USER or PASS says which of the two the server turned down, with its own words.
NetError refusedAs(const char* what, NetError error)
{
    if (error.kind == NetErrorKind::Refused)
        error.message = std::string(what) + ": " + error.message;
    return error;
}

} // namespace

Pop3Client::Pop3Client(QObject* parent) : QObject(parent)
{
    connection_.setStatusSink(
        [this](TransferStatus code, const QString& text) { Q_EMIT status(code, text); });
}

Pop3Client::~Pop3Client() = default;

bool Pop3Client::IsOpen() const
{
    return connection_.isOpen();
}

NetStatus Pop3Client::beginOperation()
{
    if (busy_)
        return netError(NetErrorKind::Busy, "the mailbox client is already waiting for the server");
    connection_.clearAbort();
    return netOk();
}

NetStatus Pop3Client::beginTransfer()
{
    NetStatus ready = beginOperation();
    if (ready.ok())
        connection_.startTransfer();
    return ready;
}

NetResult<std::string> Pop3Client::readLine()
{
    std::string line;
    while (!lines_.next(line)) {
        if (lines_.overlong())
            return netError(NetErrorKind::Protocol, "the server sent an overlong line");
        std::string chunk;
        auto got = connection_.readSome(chunk, 64 * 1024);
        if (!got.ok())
            return got.error();
        if (got.value() == 0)
            return netError(NetErrorKind::ConnectionClosed, "the server closed the connection");
        lines_.append(chunk);
    }
    return line;
}

NetResult<std::string> Pop3Client::command(const std::string& line)
{
    NetStatus sent = connection_.write(line + "\r\n");
    if (!sent.ok())
        return sent.error();
    auto reply = readLine();
    if (!reply.ok())
        return reply;
    switch (classifyPop3Reply(reply.value())) {
    case Pop3ReplyKind::Ok:
        return reply;
    case Pop3ReplyKind::Err:
        return netError(NetErrorKind::Refused, reply.value());
    case Pop3ReplyKind::Unrecognized:
        break;
    }
    return netError(NetErrorKind::Protocol, std::string(kUnrecognizedPop3Reply));
}

NetResult<std::string> Pop3Client::readMultiline()
{
    std::string text;
    while (true) {
        auto line = readLine();
        if (!line.ok())
            return line;
        std::string_view data;
        if (unstuffPop3Line(line.value(), data) == Pop3Line::End)
            return text;
        if (text.size() + data.size() > kMaxMessageSize) {
            // The rest of the reply is still on its way: the connection cannot be used again.
            connection_.abort();
            return netError(NetErrorKind::TooLarge, "the message is too large");
        }
        text += data;
        text += "\r\n";
    }
}

NetStatus Pop3Client::OpenMailbox()
{
    NetStatus ready = beginTransfer();
    if (!ready.ok())
        return ready;
    NetStatus result = [this]() -> NetStatus {
        busy_ = true;
        const auto notBusy = qScopeGuard([this] { busy_ = false; });
        if (host_.empty())
            return netError(NetErrorKind::BadAddress, "no POP3 server");
        if (port_ <= 0 || port_ > 65535)
            return netError(NetErrorKind::BadAddress, "bad POP3 port");
        // A line break in the user name or password would smuggle in a command of its own.
        if (hasLineBreak(user_) || hasLineBreak(password_))
            return netError(NetErrorKind::BadAddress, "the user name or password holds a line break");
        if (connection_.isOpen())
            connection_.close();
        lines_.clear();
        NetStatus opened = connection_.open(host_, static_cast<quint16>(port_), port_ == kTlsPort);
        if (!opened.ok())
            return opened;
        auto greeting = readLine();
        if (!greeting.ok())
            return greeting.error();
        const Pop3ReplyKind kind = classifyPop3Reply(greeting.value());
        if (kind == Pop3ReplyKind::Err)
            return netError(NetErrorKind::Refused, greeting.value());
        if (kind == Pop3ReplyKind::Unrecognized)
            return netError(NetErrorKind::Protocol, std::string(kUnrecognizedPop3Reply));
        auto user = command("USER " + user_);
        if (!user.ok())
            return refusedAs("the server refused the user name", user.error());
        auto pass = command("PASS " + password_);
        if (!pass.ok())
            return refusedAs("the server refused the password", pass.error());
        return netOk();
    }();
    if (!result.ok())
        CloseMailbox();
    return result;
}

NetResult<int> Pop3Client::CountMessages()
{
    NetStatus ready = beginOperation();
    if (!ready.ok())
        return ready.error();
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    auto reply = command("STAT");
    if (!reply.ok())
        return reply.error();
    const auto count = parseStatCount(reply.value());
    if (!count)
        return netError(NetErrorKind::Protocol, "bad number in the STAT reply");
    return *count;
}

bool Pop3Client::ReadHeader(int n, MailMessage& message)
{
    if (!beginOperation().ok())
        return false;
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    auto reply = command("TOP " + std::to_string(n) + " 0");
    if (!reply.ok())
        return false;
    auto text = readMultiline();
    if (!text.ok())
        return false;
    message.readHeader(text.value());
    return true;
}

NetStatus Pop3Client::ReadMessage(int n, MailMessage& message)
{
    NetStatus ready = beginOperation();
    if (!ready.ok())
        return ready;
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    auto reply = command("RETR " + std::to_string(n));
    if (!reply.ok())
        return reply.error();
    auto text = readMultiline();
    if (!text.ok())
        return text.error();
    message.readMessage(text.value());
    return netOk();
}

NetStatus Pop3Client::ResetMailbox()
{
    NetStatus ready = beginOperation();
    if (!ready.ok())
        return ready;
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    auto reply = command("RSET");
    if (!reply.ok())
        return reply.error();
    return netOk();
}

void Pop3Client::CloseMailbox()
{
    if (busy_) {
        // Another command is waiting for the server: sending now would interleave two commands.
        connection_.abort();
        return;
    }
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    if (connection_.isOpen()) {
        connection_.clearAbort();
        (void)connection_.write("Quit\r\n");
    }
    connection_.close();
    lines_.clear();
}

} // namespace narrix::net
