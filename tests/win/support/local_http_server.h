// A tiny HTTP server on 127.0.0.1 for tests of code that downloads: it listens
// on a port of its own, serves one canned answer per connection on its own
// thread, counts what it got, and leaves no thread or socket behind.
#pragma once

#include "framework/win.h"

#include <atomic>
#include <cstddef>
#include <mutex>
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
std::string HttpAnswer(int status, const std::string& body, bool withLength = true);

class LocalHttpServer {
public:
    explicit LocalHttpServer(std::string answer, ServerMode mode = ServerMode::Answer);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // False when no socket could be bound; nothing runs then.
    bool Started() const { return port_ != 0; }
    // "http://127.0.0.1:<port><path>"; path starts with '/'.
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    int Connections() const { return connections_; }
    int Requests() const { return requests_; }  // whose header block arrived whole
    int ClosedByClient() const { return closedByClient_; }  // held connections (NeverAnswer) the client closed
    std::size_t BytesSent() const { return bytesSent_; }
    std::string LastRequest() const;

    // A port on 127.0.0.1 that was bound then closed: nothing listens there.
    static unsigned short ClosedPort();

private:
    void Serve(SOCKET client);

    const std::string answer_;
    const ServerMode mode_;
    bool wsa_ = false;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0}, requests_{0}, closedByClient_{0};
    std::atomic<std::size_t> bytesSent_{0};
    mutable std::mutex mutex_;
    std::string lastRequest_;
    std::thread thread_;
};

}  // namespace test
