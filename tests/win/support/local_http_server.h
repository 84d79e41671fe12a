// A tiny HTTP server on 127.0.0.1 for tests of code that downloads: one canned answer per connection, served
// on a thread of its own; it counts what it got and leaves no thread or socket behind.
#pragma once

#include "framework/win.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

namespace test {

enum class ServerMode {
    Answer,            // read the request, send the answer, close
    NeverAnswer,       // read the request, then say nothing until the client closes
    CloseImmediately,  // close each connection as soon as it is accepted
};

// A whole answer: status line, headers and body. Without a length the end of
// the body is the end of the connection.
inline std::string HttpAnswer(int status, const std::string& body, bool withLength = true) {
    std::string head = "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK\r\n" : " Failed\r\n");
    if (withLength) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return head + "Connection: close\r\n\r\n" + body;
}

class LocalHttpServer {
public:
    explicit LocalHttpServer(std::string answer, ServerMode mode = ServerMode::Answer)
        : answer_(std::move(answer)), mode_(mode) {
        WSADATA data;
        wsa_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        if (!wsa_ || (listener_ = BoundSocket(port_)) == INVALID_SOCKET || ::listen(listener_, SOMAXCONN) != 0) {
            port_ = 0;
            return;
        }
        thread_ = std::thread([this] {
            while (!stop_) {
                if (!Ready(listener_, false)) continue;
                const SOCKET client = ::accept(listener_, nullptr, nullptr);
                if (client == INVALID_SOCKET) continue;
                ++connections_;
                if (mode_ != ServerMode::CloseImmediately && NonBlocking(client)) Serve(client);
                ::closesocket(client);
            }
        });
    }
    ~LocalHttpServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
        if (wsa_) ::WSACleanup();
    }
    // False when no socket could be bound; nothing runs then.
    bool Started() const { return port_ != 0; }
    // "http://127.0.0.1:<port><path>"; path starts with '/'.
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    int Connections() const { return connections_; }
    int Requests() const { return requests_; }  // whose header block arrived whole
    int ClosedByClient() const { return closedByClient_; }  // held connections (NeverAnswer) the client closed
    std::size_t BytesSent() const { return bytesSent_; }

    // A port on 127.0.0.1 that was bound then closed: nothing listens there.
    static unsigned short ClosedPort() { return LocalHttpServer("").port_; }

private:
    static constexpr std::size_t kPiece = 64 * 1024;

    // Waits up to 20 ms for the socket to become readable (or writable).
    static bool Ready(SOCKET s, bool write) {
        fd_set set{1, {s}};
        timeval wait{0, 20000};
        return ::select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) > 0;
    }
    static bool NonBlocking(SOCKET s) {
        u_long on = 1;
        return ::ioctlsocket(s, FIONBIO, &on) == 0;
    }
    // A non-blocking socket bound to a free port of 127.0.0.1, and that port.
    static SOCKET BoundSocket(unsigned short& port) {
        const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (s == INVALID_SOCKET || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 || !NonBlocking(s)) {
            if (s != INVALID_SOCKET) ::closesocket(s);
            return INVALID_SOCKET;
        }
        port = ntohs(address.sin_port);
        return s;
    }

    void Serve(SOCKET client) {
        std::string request;
        char chunk[2048];
        while (request.find("\r\n\r\n") == std::string::npos) {
            if (stop_) return;
            if (!Ready(client, false)) continue;
            const int got = ::recv(client, chunk, sizeof(chunk), 0);
            if (got <= 0) return;
            request.append(chunk, got);
        }
        ++requests_;
        if (mode_ == ServerMode::Answer) {
            // A small send buffer: a client that stops reading stops the stream soon, not after megabytes.
            int sendBuffer = static_cast<int>(kPiece);
            ::setsockopt(client, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer), sizeof(sendBuffer));
            for (std::size_t at = 0; at < answer_.size() && !stop_;) {
                const int piece = static_cast<int>(std::min(answer_.size() - at, kPiece));
                const int n = ::send(client, answer_.data() + at, piece, 0);
                if (n == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK) break;
                if (n == SOCKET_ERROR) {
                    Ready(client, true);  // the buffer is full: wait for room
                    continue;
                }
                at += static_cast<std::size_t>(n);
                bytesSent_ += static_cast<std::size_t>(n);
            }
            ::shutdown(client, SD_SEND);  // a graceful end: no reset that could cut the answer short
        }
        // Until the client closes: for a held connection that is the point; after an answer, 2 s at most.
        for (const DWORD start = ::GetTickCount(); !stop_;) {
            if (mode_ == ServerMode::Answer && ::GetTickCount() - start > 2000) return;
            if (!Ready(client, false)) continue;
            const int got = ::recv(client, chunk, sizeof(chunk), 0);
            if (got == 0 || (got < 0 && ::WSAGetLastError() != WSAEWOULDBLOCK)) {
                if (mode_ == ServerMode::NeverAnswer) ++closedByClient_;
                return;
            }
        }
    }

    const std::string answer_;
    const ServerMode mode_;
    bool wsa_ = false;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0}, requests_{0}, closedByClient_{0};
    std::atomic<std::size_t> bytesSent_{0};
    std::thread thread_;
};

}  // namespace test
