#include "support/local_http_server.h"

#include <algorithm>

namespace test {
namespace {

constexpr long kPollMs = 20;
constexpr DWORD kDrainMs = 2000;
constexpr std::size_t kPiece = 64 * 1024;

// Waits up to `ms` for the socket to become readable (or writable).
bool Ready(SOCKET s, bool write, long ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return ::select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) > 0;
}

bool NonBlocking(SOCKET s) {
    u_long on = 1;
    return ::ioctlsocket(s, FIONBIO, &on) == 0;
}

// A non-blocking socket bound to a free port of 127.0.0.1, and that port.
SOCKET BoundSocket(unsigned short& port) {
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 || !NonBlocking(s)) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

}  // namespace

std::string HttpAnswer(int status, const std::string& body, bool withLength) {
    std::string head = "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Failed") + "\r\n";
    head += "Content-Type: text/plain\r\n";
    if (withLength) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return head + "Connection: close\r\n\r\n" + body;
}

LocalHttpServer::LocalHttpServer(std::string answer, ServerMode mode) : answer_(std::move(answer)), mode_(mode) {
    WSADATA data;
    wsa_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    unsigned short port = 0;
    if (wsa_) listener_ = BoundSocket(port);
    if (listener_ == INVALID_SOCKET || ::listen(listener_, SOMAXCONN) != 0) return;
    port_ = port;
    thread_ = std::thread([this] {
        while (!stop_) {
            if (!Ready(listener_, false, kPollMs)) continue;
            const SOCKET client = ::accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            ++connections_;
            if (mode_ != ServerMode::CloseImmediately && NonBlocking(client)) Serve(client);
            ::closesocket(client);
        }
    });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
    if (wsa_) ::WSACleanup();
}

std::string LocalHttpServer::LastRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
}

unsigned short LocalHttpServer::ClosedPort() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
    unsigned short port = 0;
    const SOCKET s = BoundSocket(port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    ::WSACleanup();
    return port;
}

void LocalHttpServer::Serve(SOCKET client) {
    std::string request;
    char chunk[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (stop_) return;
        if (!Ready(client, false, kPollMs)) continue;
        const int got = ::recv(client, chunk, sizeof(chunk), 0);
        if (got <= 0) return;
        request.append(chunk, got);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lastRequest_ = request;
    }
    ++requests_;
    if (mode_ == ServerMode::Answer) {
        // A small send buffer, so that a client that stops reading stops the
        // stream soon instead of after megabytes of buffering.
        int sendBuffer = static_cast<int>(kPiece);
        ::setsockopt(client, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer), sizeof(sendBuffer));
        for (std::size_t at = 0; at < answer_.size() && !stop_;) {
            const int n = ::send(client, answer_.data() + at, static_cast<int>(std::min(answer_.size() - at, kPiece)), 0);
            if (n == SOCKET_ERROR) {
                if (::WSAGetLastError() != WSAEWOULDBLOCK) break;
                Ready(client, true, kPollMs);
                continue;
            }
            at += static_cast<std::size_t>(n);
            bytesSent_ += static_cast<std::size_t>(n);
        }
        ::shutdown(client, SD_SEND);  // a graceful end: no reset that could cut the answer short
    }
    // Until the client closes: for a held connection that is the point; after
    // an answer, for a little while.
    for (const DWORD start = ::GetTickCount(); !stop_;) {
        if (mode_ == ServerMode::Answer && ::GetTickCount() - start > kDrainMs) return;
        if (!Ready(client, false, kPollMs)) continue;
        const int got = ::recv(client, chunk, sizeof(chunk), 0);
        if (got == 0 || (got < 0 && ::WSAGetLastError() != WSAEWOULDBLOCK)) {
            if (mode_ == ServerMode::NeverAnswer) ++closedByClient_;
            return;
        }
    }
}

}  // namespace test
