// The update check against a server of the test's own on 127.0.0.1: what is
// asked, what stays silent, that the check always ends, and that it releases
// every handle it takes.
#include "app/update_check.h"

#include "app/update_rules.h"
#include "framework/handles.h"
#include "support/local_http_server.h"
#include "support/message_box_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using ovix::UpdateOutcome;
using test::LocalHttpServer;

constexpr char kCaption[] = "Ovix";
constexpr char kQuestion[] = "A new version of Ovix has been detected...\r\nDo you want to download it ?";
constexpr char kPath[] = "/Update_Ovix.txt";
constexpr char kBom[] = "\xEF\xBB\xBF";
// Every check must end well within this, time-outs included.
constexpr DWORD kWorkerBoundMs = 15000;

// Records what the product-page seam was asked to open (from the worker thread).
class PageCalls {
public:
    void Add(const std::string& page) {
        std::lock_guard<std::mutex> lock(mutex_);
        pages_.push_back(page);
    }
    std::vector<std::string> Pages() {
        std::lock_guard<std::mutex> lock(mutex_);
        return pages_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> pages_;
};

struct BoxSeen {
    std::string text;
    bool yes = false, no = false, ok = false, cancel = false;
    long kernelOwnersAbove = 0;  // Kernel owners alive while the box was up, beyond those before the check
};

struct CheckRun {
    bool started = false;
    bool ended = false;  // the worker ended within the bound
    UpdateOutcome outcome = UpdateOutcome::Unreachable;
    std::vector<BoxSeen> boxes;
    std::vector<std::string> pagesOpened;
    long kernelOwnersLeft = 0;  // after the worker and its handle are gone, against before
};

ovix::UpdateCheckSettings SettingsFor(const std::string& url, DWORD timeoutMs = 5000) {
    ovix::UpdateCheckSettings settings;
    settings.url = url;
    settings.productPage = "http://127.0.0.1:9/product-page";
    settings.timeoutMs = timeoutMs;
    return settings;
}

BoxSeen Inspect(HWND box, long kernelBefore) {
    BoxSeen seen;
    seen.text = test::MessageBoxText(box);
    seen.yes = test::HasButton(box, IDYES);
    seen.no = test::HasButton(box, IDNO);
    seen.ok = test::HasButton(box, IDOK);
    seen.cancel = test::HasButton(box, IDCANCEL);
    seen.kernelOwnersAbove = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore;
    return seen;
}

// Answers any question box with `answer` until `done` says the check is over.
template <class Done>
std::vector<BoxSeen> AnswerBoxesUntil(Done done, int answer, long kernelBefore, DWORD boundMs, bool& ended) {
    std::vector<BoxSeen> boxes;
    std::vector<HWND> answered;
    const DWORD start = ::GetTickCount();
    ended = false;
    while (::GetTickCount() - start < boundMs) {
        if (done(20)) {
            ended = true;
            break;
        }
        HWND box = test::FindMessageBox(kCaption);
        if (box && std::find(answered.begin(), answered.end(), box) == answered.end()) {
            boxes.push_back(Inspect(box, kernelBefore));
            test::ClickButton(box, answer);
            answered.push_back(box);
        }
    }
    return boxes;
}

// The check as the program starts it: StartUpdateCheck's worker thread. Any
// question is answered with `answer` from this thread.
CheckRun RunCheck(ovix::UpdateCheckSettings settings, int answer = IDNO, DWORD boundMs = kWorkerBoundMs) {
    CheckRun run;
    auto pages = std::make_shared<PageCalls>();
    settings.openPage = [pages](const std::string& page) { pages->Add(page); };
    const long kernelBefore = fw::LiveCount(fw::ResourceKind::Kernel);
    {
        fw::UniqueHandle worker = ovix::StartUpdateCheck(std::move(settings));
        run.started = static_cast<bool>(worker);
        if (!run.started) return run;
        auto done = [&](DWORD waitMs) { return ::WaitForSingleObject(worker.Get(), waitMs) == WAIT_OBJECT_0; };
        run.boxes = AnswerBoxesUntil(done, answer, kernelBefore, boundMs, run.ended);
    }
    run.kernelOwnersLeft = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore;
    run.outcome = ovix::LastUpdateOutcome();
    run.pagesOpened = pages->Pages();
    return run;
}

// Waits up to ms for a condition that another thread makes true.
template <class Condition>
bool WaitUntil(Condition condition, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= ms) return false;
        ::Sleep(20);
    }
    return true;
}

void ExpectSilent(const CheckRun& run, UpdateOutcome expected) {
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.ended) << "the check did not end within " << kWorkerBoundMs << " ms";
    EXPECT_EQ(run.outcome, expected);
    EXPECT_TRUE(run.boxes.empty()) << "asked: " << (run.boxes.empty() ? "" : run.boxes.front().text);
    EXPECT_TRUE(run.pagesOpened.empty());
    EXPECT_EQ(run.kernelOwnersLeft, 0);
    EXPECT_EQ(test::FindMessageBox(kCaption), nullptr);
}

void ExpectAskedOnce(const CheckRun& run) {
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.ended) << "the check did not end within " << kWorkerBoundMs << " ms";
    ASSERT_EQ(run.boxes.size(), 1u);
    const BoxSeen& box = run.boxes.front();
    EXPECT_EQ(box.text, kQuestion);
    EXPECT_EQ(box.text, ovix::kNewVersionQuestion);
    EXPECT_TRUE(box.yes);
    EXPECT_TRUE(box.no);
    EXPECT_FALSE(box.ok);
    EXPECT_FALSE(box.cancel);
    // Only the worker's thread handle is held while the user is asked: every
    // internet handle is closed before the question.
    EXPECT_EQ(box.kernelOwnersAbove, 1);
    EXPECT_EQ(run.kernelOwnersLeft, 0);
    EXPECT_EQ(test::FindMessageBox(kCaption), nullptr);
}

class UpdateCheck : public testing::Test {
protected:
    void TearDown() override {
        // Every server of the test is gone with its sockets, and no box is left.
        EXPECT_EQ(LocalHttpServer::OpenSockets(), 0);
        EXPECT_EQ(test::FindMessageBox(kCaption), nullptr);
    }
};

// ---- The test server itself --------------------------------------------------

SOCKET ConnectTo(unsigned short port) {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    DWORD wait = 5000;
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof(wait));
    return s;
}

std::string ReadToEnd(SOCKET s) {
    std::string text;
    char chunk[1024];
    for (int got; (got = ::recv(s, chunk, sizeof(chunk), 0)) > 0;) text.append(chunk, got);
    return text;
}

TEST_F(UpdateCheck, TestServerAnswersEachConnectionOnceAndCleansUp) {
    unsigned short port = 0;
    {
        LocalHttpServer server(LocalHttpServer::Ok("1.0.7\r\n"));
        ASSERT_TRUE(server.Started());
        port = server.Port();
        EXPECT_NE(port, 0);
        EXPECT_EQ(server.Url(kPath), "http://127.0.0.1:" + std::to_string(port) + kPath);
        for (int i = 1; i <= 2; ++i) {
            SOCKET client = ConnectTo(port);
            ASSERT_NE(client, INVALID_SOCKET);
            const std::string request = "GET /x HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
            ASSERT_EQ(::send(client, request.data(), static_cast<int>(request.size()), 0),
                      static_cast<int>(request.size()));
            EXPECT_EQ(ReadToEnd(client),
                      "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 7\r\n"
                      "Connection: close\r\n\r\n1.0.7\r\n");
            ::closesocket(client);
            EXPECT_EQ(server.Connections(), i);
            EXPECT_EQ(server.Requests(), i);
            EXPECT_EQ(server.LastRequest(), request);
        }
        EXPECT_TRUE(server.BodyComplete());
        EXPECT_EQ(server.BodyBytesSent(), 14u);
    }
    EXPECT_EQ(LocalHttpServer::OpenSockets(), 0);
    // Nothing listens on the port any more.
    SOCKET late = ConnectTo(port);
    EXPECT_EQ(late, INVALID_SOCKET);
    if (late != INVALID_SOCKET) ::closesocket(late);
}

TEST_F(UpdateCheck, TestServerHoldsANeverAnsweredConnectionUntilItEnds) {
    SOCKET client = INVALID_SOCKET;
    {
        LocalHttpServer server(test::ServerMode::NeverAnswer);
        ASSERT_TRUE(server.Started());
        client = ConnectTo(server.Port());
        ASSERT_NE(client, INVALID_SOCKET);
        const std::string request = "GET / HTTP/1.1\r\n\r\n";
        ::send(client, request.data(), static_cast<int>(request.size()), 0);
        EXPECT_TRUE(WaitUntil([&] { return server.Requests() == 1; }, 5000));
        EXPECT_EQ(LocalHttpServer::OpenSockets(), 2);  // the listener and the held connection
        EXPECT_EQ(server.ClosedByClient(), 0);
    }
    EXPECT_EQ(LocalHttpServer::OpenSockets(), 0);
    // The server's end closed without a reply: the client reads the end, no data.
    char byte;
    EXPECT_LE(::recv(client, &byte, 1, 0), 0);
    ::closesocket(client);
}

// ---- What is asked -----------------------------------------------------------

TEST_F(UpdateCheck, RunningVersionAsksNothing) {
    LocalHttpServer server(LocalHttpServer::Ok("1.0.6"));
    ASSERT_TRUE(server.Started());
    const CheckRun run = RunCheck(SettingsFor(server.Url(kPath)));
    ExpectSilent(run, UpdateOutcome::UpToDate);
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_EQ(server.LastRequest().rfind("GET /Update_Ovix.txt HTTP/1.", 0), 0u) << server.LastRequest();
}

TEST_F(UpdateCheck, RunningVersionWithCrLfAsksNothing) {
    LocalHttpServer server(LocalHttpServer::Ok("1.0.6\r\n"));
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::UpToDate);
}

struct AskingBody {
    const char* name;
    std::string body;
};

void PrintTo(const AskingBody& body, std::ostream* out) { *out << body.name; }

class UpdateCheckAsks : public UpdateCheck, public testing::WithParamInterface<AskingBody> {};

TEST_P(UpdateCheckAsks, NoDeclinesAndOpensNothing) {
    LocalHttpServer server(LocalHttpServer::Ok(GetParam().body));
    ASSERT_TRUE(server.Started());
    const CheckRun run = RunCheck(SettingsFor(server.Url(kPath)), IDNO);
    ExpectAskedOnce(run);
    EXPECT_EQ(run.outcome, UpdateOutcome::Declined);
    EXPECT_TRUE(run.pagesOpened.empty());
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(server.Requests(), 1);
}

INSTANTIATE_TEST_SUITE_P(Bodies, UpdateCheckAsks,
                         testing::Values(AskingBody{"Newer", "1.0.7"}, AskingBody{"NewerCrLf", "1.0.7\r\n"},
                                         AskingBody{"NewerAfterBom", std::string(kBom) + "1.0.7"},
                                         AskingBody{"Older", "1.0.5"},
                                         AskingBody{"NewerCrOnly", "1.0.7\r1.0.6\r"},
                                         AskingBody{"NewerThenMore", "1.0.7\r\n<html>notes</html>\r\n"}),
                         [](const testing::TestParamInfo<AskingBody>& info) { return std::string(info.param.name); });

TEST_F(UpdateCheck, YesOpensTheProductPageOnce) {
    LocalHttpServer server(LocalHttpServer::Ok("1.0.7\r\n"));
    ASSERT_TRUE(server.Started());
    const CheckRun run = RunCheck(SettingsFor(server.Url(kPath)), IDYES);
    ExpectAskedOnce(run);
    EXPECT_EQ(run.outcome, UpdateOutcome::Accepted);
    ASSERT_EQ(run.pagesOpened.size(), 1u);
    EXPECT_EQ(run.pagesOpened.front(), "http://127.0.0.1:9/product-page");
}

// ---- What stays silent --------------------------------------------------------

TEST_F(UpdateCheck, NotFoundIsUnreachableEvenWithAVersionInTheBody) {
    LocalHttpServer server(LocalHttpServer::Status(404, "Not Found", "1.0.7"));
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::Unreachable);
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(UpdateCheck, OtherStatusesAreUnreachable) {
    for (int status : {403, 500, 503}) {
        SCOPED_TRACE(status);
        LocalHttpServer server(LocalHttpServer::Status(status, "Nope", "1.0.7\r\n"));
        ASSERT_TRUE(server.Started());
        ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::Unreachable);
        EXPECT_EQ(server.Requests(), 1);
    }
}

TEST_F(UpdateCheck, EmptyBodyIsUnreachable) {
    LocalHttpServer server(LocalHttpServer::Ok(""));
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::Unreachable);
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(UpdateCheck, MalformedFirstLinesAreUpToDate) {
    for (const std::string& body :
         {std::string("<html><body>Moved</body></html>\r\n"), std::string("\r\n"), std::string("v1.0.7"),
          std::string("1.0.7 beta"), std::string("1..0"), std::string("1.0."), std::string(kBom),
          std::string("\r\n1.0.7\r\n")}) {
        SCOPED_TRACE(body);
        LocalHttpServer server(LocalHttpServer::Ok(body));
        ASSERT_TRUE(server.Started());
        ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::UpToDate);
        EXPECT_EQ(server.Requests(), 1);
    }
}

TEST_F(UpdateCheck, HugeBodyIsReadOnlyInPartAndAsksNothing) {
    constexpr std::size_t kHuge = 32u << 20;
    LocalHttpServer server(LocalHttpServer::Streamed(kHuge, '1'));
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::UpToDate);
    EXPECT_EQ(server.Requests(), 1);
    // The client hung up long before the end of the stream.
    EXPECT_FALSE(server.BodyComplete());
    EXPECT_LT(server.BodyBytesSent(), kHuge);
}

// With a Content-Length, Wine's WinInet reads what is left of the body when
// the request handle closes (to reuse the connection), so from a fast local
// server the whole body goes; the check itself still looks at 4096 bytes only.
TEST_F(UpdateCheck, HugeBodyWithItsLengthAsksNothing) {
    test::HttpReply reply = LocalHttpServer::Streamed(10u << 20, '1');
    reply.contentLength = true;
    LocalHttpServer server(reply);
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::UpToDate);
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(UpdateCheck, ServerDownFailsAtOnce) {
    const unsigned short port = LocalHttpServer::ClosedPort();
    ASSERT_NE(port, 0);
    // A time-out far beyond the bound: only an immediate failure ends in time.
    const CheckRun run = RunCheck(SettingsFor("http://127.0.0.1:" + std::to_string(port) + kPath, 120000), IDNO,
                                  kWorkerBoundMs);
    ExpectSilent(run, UpdateOutcome::Unreachable);
}

TEST_F(UpdateCheck, ServerThatNeverAnswersEndsWithinTheTimeOuts) {
    LocalHttpServer server(test::ServerMode::NeverAnswer);
    ASSERT_TRUE(server.Started());
    const CheckRun run = RunCheck(SettingsFor(server.Url(kPath), 2000), IDNO, kWorkerBoundMs);
    ExpectSilent(run, UpdateOutcome::Unreachable);
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(server.Requests(), 1);
    // The check let go of its connection: the server sees it closed.
    EXPECT_TRUE(WaitUntil([&] { return server.ClosedByClient() == 1; }, 5000));
}

TEST_F(UpdateCheck, ServerThatClosesAtOnceIsUnreachable) {
    LocalHttpServer server(test::ServerMode::CloseImmediately);
    ASSERT_TRUE(server.Started());
    ExpectSilent(RunCheck(SettingsFor(server.Url(kPath))), UpdateOutcome::Unreachable);
    // One attempt: no second connection after the first was dropped.
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(server.Requests(), 0);
}

TEST_F(UpdateCheck, MalformedUrlIsUnreachable) {
    ExpectSilent(RunCheck(SettingsFor("no url at all")), UpdateOutcome::Unreachable);
    ExpectSilent(RunCheck(SettingsFor("")), UpdateOutcome::Unreachable);
}

// ---- Repetition and the calling-thread form -----------------------------------

TEST_F(UpdateCheck, RepeatedChecksEachMakeOneRequestAndReleaseEverything) {
    LocalHttpServer newer(LocalHttpServer::Ok("1.0.7\r\n"));
    LocalHttpServer same(LocalHttpServer::Ok("1.0.6\r\n"));
    LocalHttpServer missing(LocalHttpServer::Status(404, "Not Found", ""));
    ASSERT_TRUE(newer.Started() && same.Started() && missing.Started());
    const long kernelBefore = fw::LiveCount(fw::ResourceKind::Kernel);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const CheckRun asked = RunCheck(SettingsFor(newer.Url(kPath)), IDNO);
        ExpectAskedOnce(asked);
        EXPECT_EQ(asked.outcome, UpdateOutcome::Declined);
        EXPECT_TRUE(asked.pagesOpened.empty());
        EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::Declined);

        ExpectSilent(RunCheck(SettingsFor(same.Url(kPath))), UpdateOutcome::UpToDate);
        EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::UpToDate);

        ExpectSilent(RunCheck(SettingsFor(missing.Url(kPath))), UpdateOutcome::Unreachable);
        EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::Unreachable);

        EXPECT_EQ(newer.Requests(), round);
        EXPECT_EQ(same.Requests(), round);
        EXPECT_EQ(missing.Requests(), round);
        EXPECT_EQ(newer.Connections(), round);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), kernelBefore);
}

// RunUpdateCheck runs on the calling thread (here a thread of the test's, so
// that this thread can answer) and returns what it records.
UpdateOutcome RunOnOwnThread(ovix::UpdateCheckSettings settings, int answer, std::vector<BoxSeen>& boxes,
                             std::vector<std::string>& pages, bool& ended) {
    auto calls = std::make_shared<PageCalls>();
    settings.openPage = [calls](const std::string& page) { calls->Add(page); };
    std::atomic<bool> done{false};
    UpdateOutcome outcome = UpdateOutcome::Unreachable;
    std::thread caller([&] {
        outcome = ovix::RunUpdateCheck(settings);
        done = true;
    });
    auto finished = [&](DWORD waitMs) {
        if (done) return true;
        ::Sleep(waitMs);
        return done.load();
    };
    boxes = AnswerBoxesUntil(finished, answer, fw::LiveCount(fw::ResourceKind::Kernel), kWorkerBoundMs, ended);
    caller.join();
    pages = calls->Pages();
    return outcome;
}

TEST_F(UpdateCheck, RunUpdateCheckReturnsWhatItRecords) {
    LocalHttpServer newer(LocalHttpServer::Ok(std::string(kBom) + "1.0.7\r\n"));
    LocalHttpServer same(LocalHttpServer::Ok("1.0.6"));
    LocalHttpServer missing(LocalHttpServer::Status(404, "Not Found", "1.0.7"));
    ASSERT_TRUE(newer.Started() && same.Started() && missing.Started());
    const long kernelBefore = fw::LiveCount(fw::ResourceKind::Kernel);
    std::vector<BoxSeen> boxes;
    std::vector<std::string> pages;
    bool ended = false;

    EXPECT_EQ(RunOnOwnThread(SettingsFor(same.Url(kPath)), IDNO, boxes, pages, ended), UpdateOutcome::UpToDate);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::UpToDate);

    EXPECT_EQ(RunOnOwnThread(SettingsFor(missing.Url(kPath)), IDNO, boxes, pages, ended),
              UpdateOutcome::Unreachable);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::Unreachable);

    EXPECT_EQ(RunOnOwnThread(SettingsFor(newer.Url(kPath)), IDNO, boxes, pages, ended), UpdateOutcome::Declined);
    EXPECT_TRUE(ended);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, kQuestion);
    EXPECT_EQ(boxes.front().kernelOwnersAbove, 0);  // no internet handle open while asking
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::Declined);

    EXPECT_EQ(RunOnOwnThread(SettingsFor(newer.Url(kPath)), IDYES, boxes, pages, ended), UpdateOutcome::Accepted);
    EXPECT_TRUE(ended);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(pages, std::vector<std::string>{"http://127.0.0.1:9/product-page"});
    EXPECT_EQ(ovix::LastUpdateOutcome(), UpdateOutcome::Accepted);

    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), kernelBefore);
}

}  // namespace
