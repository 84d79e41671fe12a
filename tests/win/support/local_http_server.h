// A tiny HTTP server on 127.0.0.1 for tests of code that downloads: it listens
// on a port of its own (port 0, learnt with getsockname), serves one canned
// reply per connection on its own thread, counts what it got, and leaves no
// thread or socket behind once destroyed.
#pragma once

#include "framework/win.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace test {

struct HttpReply {
    int status = 200;
    std::string reason = "OK";
    std::string body;
    // Without Content-Length the end of the body is the end of the connection.
    bool contentLength = true;
    // When not 0, the body is that many `fill` characters, streamed in pieces
    // (and `body` is not used).
    std::size_t streamedBytes = 0;
    char fill = '1';
};

enum class ServerMode {
    Answer,            // read the request, send the reply, close
    NeverAnswer,       // read the request, then hold the connection without a word
    CloseImmediately,  // close each connection as soon as it is accepted
};

class LocalHttpServer {
public:
    static HttpReply Ok(std::string body);
    static HttpReply Status(int status, std::string reason, std::string body);
    // `bytes` of `fill`, streamed, with no Content-Length.
    static HttpReply Streamed(std::size_t bytes, char fill = '1');

    explicit LocalHttpServer(HttpReply reply);
    explicit LocalHttpServer(ServerMode mode, HttpReply reply = {});
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // False when the socket could not be bound; nothing runs then.
    bool Started() const { return started_; }
    unsigned short Port() const { return port_; }
    // "http://127.0.0.1:<port><path>"; path starts with '/'.
    std::string Url(const std::string& path) const;

    int Connections() const { return connections_.load(); }
    // Requests whose header block arrived whole.
    int Requests() const { return requests_.load(); }
    // Held connections (NeverAnswer) that the client closed.
    int ClosedByClient() const { return closedByClient_.load(); }
    std::size_t BodyBytesSent() const { return bodyBytesSent_.load(); }
    // True once a whole body was sent.
    bool BodyComplete() const { return bodyComplete_.load(); }
    std::string LastRequest() const;

    // Sockets opened by any server of this class and not closed yet.
    static int OpenSockets();
    // A port on 127.0.0.1 that was bound then closed: nothing listens there.
    static unsigned short ClosedPort();

private:
    void Run();
    void Serve(SOCKET client);
    bool ReadRequest(SOCKET client);
    bool SendAll(SOCKET client, const char* data, std::size_t size, bool isBody);
    void PollHeld();

    ServerMode mode_;
    HttpReply reply_;
    bool wsa_ = false;
    bool started_ = false;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::vector<SOCKET> held_;  // only touched by the server thread, then by the destructor after join
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::atomic<int> requests_{0};
    std::atomic<int> closedByClient_{0};
    std::atomic<std::size_t> bodyBytesSent_{0};
    std::atomic<bool> bodyComplete_{false};
    mutable std::mutex mutex_;
    std::string lastRequest_;
    std::thread thread_;
};

}  // namespace test
