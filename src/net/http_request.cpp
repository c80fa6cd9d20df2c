#include "net/http_request.h"

namespace narrix::net {

std::string buildGetRequest(const HttpUrl& url, bool viaProxy, std::string_view cookieHeader)
{
    std::string request = "GET ";
    request += viaProxy ? url.absolute() : url.target;
    request += " HTTP/1.1\r\nHost: ";
    request += url.authority();
    request += "\r\nAccept: ";
    request += kHttpAccept;
    request += "\r\nUser-Agent: ";
    request += kHttpUserAgent;
    request += "\r\n";
    if (!cookieHeader.empty()) {
        request += "Cookie: ";
        request += cookieHeader;
        request += "\r\n";
    }
    request += "\r\n";
    return request;
}

std::string buildConnectRequest(const HttpUrl& url)
{
    std::string hostPort = url.host.find(':') != std::string::npos ? "[" + url.host + "]" : url.host;
    hostPort += ":" + std::to_string(url.port);
    std::string request = "CONNECT " + hostPort + " HTTP/1.1\r\nHost: " + hostPort + "\r\nUser-Agent: ";
    request += kHttpUserAgent;
    request += "\r\n\r\n";
    return request;
}

} // namespace narrix::net
