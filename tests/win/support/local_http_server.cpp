#include "support/local_http_server.h"

#include <algorithm>
#include <chrono>

namespace test {
namespace {

std::atomic<int> g_openSockets{0};

SOCKET OpenSocket() {
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != INVALID_SOCKET) ++g_openSockets;
    return s;
}

void CloseSocket(SOCKET s) {
    if (s == INVALID_SOCKET) return;
    ::closesocket(s);
    --g_openSockets;
}

void SetNonBlocking(SOCKET s) {
    u_long on = 1;
    ::ioctlsocket(s, FIONBIO, &on);
}

// Waits up to `ms` for the socket to become readable (or writable).
bool WaitSocket(SOCKET s, bool write, long ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    const int ready = ::select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait);
    return ready > 0;
}

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

constexpr long kPollMs = 20;
constexpr auto kRequestWait = std::chrono::seconds(10);
constexpr auto kDrainWait = std::chrono::seconds(2);
constexpr std::size_t kRequestLimit = 64 * 1024;
constexpr std::size_t kStreamPiece = 64 * 1024;

}  // namespace

HttpReply LocalHttpServer::Ok(std::string body) { return Status(200, "OK", std::move(body)); }

HttpReply LocalHttpServer::Status(int status, std::string reason, std::string body) {
    HttpReply reply;
    reply.status = status;
    reply.reason = std::move(reason);
    reply.body = std::move(body);
    return reply;
}

HttpReply LocalHttpServer::Streamed(std::size_t bytes, char fill) {
    HttpReply reply;
    reply.contentLength = false;
    reply.streamedBytes = bytes;
    reply.fill = fill;
    return reply;
}

LocalHttpServer::LocalHttpServer(HttpReply reply) : LocalHttpServer(ServerMode::Answer, std::move(reply)) {}

LocalHttpServer::LocalHttpServer(ServerMode mode, HttpReply reply) : mode_(mode), reply_(std::move(reply)) {
    WSADATA data;
    wsa_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!wsa_) return;
    listener_ = OpenSocket();
    if (listener_ == INVALID_SOCKET) return;
    sockaddr_in address = Loopback(0);
    int length = sizeof(address);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listener_, SOMAXCONN) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        CloseSocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    SetNonBlocking(listener_);
    port_ = ntohs(address.sin_port);
    started_ = true;
    thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    for (SOCKET s : held_) CloseSocket(s);
    held_.clear();
    CloseSocket(listener_);
    if (wsa_) ::WSACleanup();
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string LocalHttpServer::LastRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
}

int LocalHttpServer::OpenSockets() { return g_openSockets.load(); }

unsigned short LocalHttpServer::ClosedPort() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
    unsigned short port = 0;
    const SOCKET s = OpenSocket();
    if (s != INVALID_SOCKET) {
        sockaddr_in address = Loopback(0);
        int length = sizeof(address);
        if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port = ntohs(address.sin_port);
        }
        CloseSocket(s);
    }
    ::WSACleanup();
    return port;
}

void LocalHttpServer::Run() {
    while (!stop_) {
        PollHeld();
        if (!WaitSocket(listener_, false, kPollMs)) continue;
        const SOCKET client = ::accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        ++g_openSockets;
        ++connections_;
        Serve(client);
    }
}

void LocalHttpServer::Serve(SOCKET client) {
    if (mode_ == ServerMode::CloseImmediately) {
        CloseSocket(client);
        return;
    }
    SetNonBlocking(client);
    if (!ReadRequest(client)) {
        CloseSocket(client);
        return;
    }
    if (mode_ == ServerMode::NeverAnswer) {
        held_.push_back(client);
        return;
    }

    // A small send buffer, so that a client that stops reading stops the
    // stream soon instead of after megabytes of buffering.
    int sendBuffer = 64 * 1024;
    ::setsockopt(client, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer), sizeof(sendBuffer));

    const std::size_t bodySize = reply_.streamedBytes ? reply_.streamedBytes : reply_.body.size();
    std::string head = "HTTP/1.1 " + std::to_string(reply_.status) + " " + reply_.reason + "\r\n";
    head += "Content-Type: text/plain\r\n";
    if (reply_.contentLength) head += "Content-Length: " + std::to_string(bodySize) + "\r\n";
    head += "Connection: close\r\n\r\n";

    bool sent = SendAll(client, head.data(), head.size(), false);
    if (sent && reply_.streamedBytes) {
        const std::string piece(kStreamPiece, reply_.fill);
        std::size_t left = reply_.streamedBytes;
        while (sent && left > 0) {
            const std::size_t n = std::min(left, piece.size());
            sent = SendAll(client, piece.data(), n, true);
            left -= sent ? n : 0;
        }
    } else if (sent) {
        sent = SendAll(client, reply_.body.data(), reply_.body.size(), true);
    }
    if (sent) bodyComplete_ = true;

    // Close gracefully: no reset that could cut the reply short.
    ::shutdown(client, SD_SEND);
    const auto deadline = std::chrono::steady_clock::now() + kDrainWait;
    char scratch[1024];
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        if (!WaitSocket(client, false, kPollMs)) continue;
        if (::recv(client, scratch, sizeof(scratch), 0) <= 0) break;
    }
    CloseSocket(client);
}

bool LocalHttpServer::ReadRequest(SOCKET client) {
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + kRequestWait;
    char chunk[2048];
    while (!stop_ && std::chrono::steady_clock::now() < deadline && request.size() < kRequestLimit) {
        if (!WaitSocket(client, false, kPollMs)) continue;
        const int got = ::recv(client, chunk, sizeof(chunk), 0);
        if (got <= 0) return false;
        request.append(chunk, got);
        if (request.find("\r\n\r\n") != std::string::npos) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                lastRequest_ = request;
            }
            ++requests_;
            return true;
        }
    }
    return false;
}

bool LocalHttpServer::SendAll(SOCKET client, const char* data, std::size_t size, bool isBody) {
    while (size > 0) {
        if (stop_) return false;
        const int chunk = static_cast<int>(std::min<std::size_t>(size, kStreamPiece));
        const int n = ::send(client, data, chunk, 0);
        if (n == SOCKET_ERROR) {
            if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
            WaitSocket(client, true, kPollMs);
            continue;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        if (isBody) bodyBytesSent_ += static_cast<std::size_t>(n);
    }
    return true;
}

void LocalHttpServer::PollHeld() {
    for (auto it = held_.begin(); it != held_.end();) {
        char scratch[256];
        if (WaitSocket(*it, false, 0)) {
            const int got = ::recv(*it, scratch, sizeof(scratch), 0);
            if (got == 0 || (got == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK)) {
                ++closedByClient_;
                CloseSocket(*it);
                it = held_.erase(it);
                continue;
            }
        }
        ++it;
    }
}

}  // namespace test
