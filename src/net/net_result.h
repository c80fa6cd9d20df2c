#pragma once

#include <string>
#include <utility>
#include <variant>

namespace narrix::net {

// Why a transfer failed. Callers turn every kind into their own message; the text is for logs and
// for command-line tools.
enum class NetErrorKind {
    BadAddress,       // the URL or host could not be used
    HostNotFound,     // name resolution failed
    ConnectFailed,    // refused, unreachable, proxy refused the tunnel
    ConnectionClosed, // the peer closed before the reply was complete
    Aborted,          // AbortSocket was called while the operation waited
    TimedOut,         // nothing was received for the idle time-out
    Tls,              // handshake or certificate verification failed
    HttpStatus,       // the final reply status was not 2xx
    Protocol,         // an unparsable reply
    TooLarge,         // the reply exceeded a size limit
    TooManyRedirects, // more redirects in a row than allowed
    Refused,          // a POP3 "-ERR" reply
    Busy,             // the client is already inside an operation
    Socket,           // any other socket error
};

struct NetError
{
    NetErrorKind kind = NetErrorKind::Socket;
    std::string message;
    int httpStatus = 0; // the status code for HttpStatus failures
};

// A value or the reason there is none.
template <typename T> class NetResult
{
public:
    NetResult(T value) : v_(std::move(value)) {}
    NetResult(NetError error) : v_(std::move(error)) {}

    bool ok() const noexcept { return v_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    const NetError& error() const { return std::get<1>(v_); }

private:
    std::variant<T, NetError> v_;
};

using NetStatus = NetResult<std::monostate>;

inline NetStatus netOk()
{
    return NetStatus(std::monostate{});
}

inline NetError netError(NetErrorKind kind, std::string message)
{
    return NetError{kind, std::move(message), 0};
}

} // namespace narrix::net
