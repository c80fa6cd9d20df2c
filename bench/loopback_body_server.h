#pragma once

// A minimal HTTP server for benchmarks, on a thread of its own on a free loopback port: every request
// gets `size` bytes (the block repeated) with a Content-Length and, when given, a Content-Type.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>

class LoopbackBodyServer
{
public:
    LoopbackBodyServer(size_t size, std::string block, std::string contentType = {})
        : size_(size), block_(std::move(block)), contentType_(std::move(contentType))
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd_, 8) != 0) {
            std::perror("bind");
            std::exit(1);
        }
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~LoopbackBodyServer()
    {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
        thread_.join();
    }
    LoopbackBodyServer(const LoopbackBodyServer&) = delete;
    LoopbackBodyServer& operator=(const LoopbackBodyServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path = "/") const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void run()
    {
        while (!stop_) {
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0)
                return;
            std::string request;
            char buf[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                request.append(buf, static_cast<size_t>(n));
            }
            std::string head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size_) + "\r\n";
            if (!contentType_.empty())
                head += "Content-Type: " + contentType_ + "\r\n";
            head += "Connection: close\r\n\r\n";
            bool ok = ::send(c, head.data(), head.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(head.size());
            size_t left = size_;
            size_t offset = 0;
            while (ok && left > 0) {
                const size_t n = std::min(left, block_.size() - offset);
                const ssize_t sent = ::send(c, block_.data() + offset, n, MSG_NOSIGNAL);
                ok = sent > 0;
                if (ok) {
                    left -= static_cast<size_t>(sent);
                    offset = (offset + static_cast<size_t>(sent)) % block_.size();
                }
            }
            ::close(c);
        }
    }

    size_t size_;
    std::string block_;
    std::string contentType_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
