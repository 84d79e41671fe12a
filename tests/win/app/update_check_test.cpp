// The update check against a server of the test's own on 127.0.0.1: what is asked, what stays silent, that the
// check always ends, and that it releases every handle it takes.
#include "app/update_check.h"

#include "framework/handles.h"
#include "support/local_http_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using ovix::UpdateOutcome;
using test::HttpAnswer;
using test::LocalHttpServer;

constexpr char kQuestion[] = "A new version of Ovix has been detected...\r\nDo you want to download it ?";
constexpr char kPath[] = "/Update_Ovix.txt";
constexpr char kProductPage[] = "http://127.0.0.1:9/product-page";
// Every check must end well within this, time-outs included.
constexpr DWORD kBoundMs = 15000;

// The visible message box with our caption, or null (each suite runs in a process of its own).
HWND FindBox() {
    HWND box = ::FindWindowA("#32770", "Ovix");
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

// A box's text (asked with a bounded wait: the box runs its loop on the worker's thread), then its buttons.
std::string Describe(HWND box) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(::GetDlgItem(box, 65535), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    std::string described = text;
    for (const auto& [id, name] : {std::pair{IDYES, "+yes"}, {IDNO, "+no"}, {IDCANCEL, "+cancel"}}) {
        described += ::GetDlgItem(box, id) ? name : "";
    }
    return described;
}

struct CheckRun {
    bool ended = false;  // the worker ended within the bound
    UpdateOutcome outcome = UpdateOutcome::Unreachable;
    std::vector<std::string> questions;  // each box described
    long kernelWhileAsking = -1;         // owners alive while the box was up, beyond those before the check
    std::vector<std::string> pagesOpened;
    long kernelLeft = 0;  // after the worker and its handle are gone, against before
};

// The check on StartUpdateCheck's worker thread; any question is answered with `answer` from this thread
// (posted: a sent click would wait for the modal loop).
CheckRun RunCheck(const std::string& url, int answer = IDNO, DWORD timeoutMs = 5000) {
    auto pages = std::make_shared<std::pair<std::mutex, std::vector<std::string>>>();
    ovix::UpdateCheckSettings settings{url, kProductPage, timeoutMs, [pages](const std::string& page) {
                                           std::lock_guard<std::mutex> lock(pages->first);
                                           pages->second.push_back(page);
                                       }};
    CheckRun run;
    const long kernelBefore = fw::LiveCount(fw::ResourceKind::Kernel);
    {
        fw::UniqueHandle worker = ovix::StartUpdateCheck(std::move(settings));
        EXPECT_TRUE(worker);
        HWND answered = nullptr;
        for (const DWORD start = ::GetTickCount(); worker && ::GetTickCount() - start < kBoundMs;) {
            if ((run.ended = ::WaitForSingleObject(worker.Get(), 20) == WAIT_OBJECT_0)) break;
            HWND box = FindBox();
            if (!box || box == answered) continue;
            run.questions.push_back(Describe(box));
            run.kernelWhileAsking = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore;
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
            answered = box;
        }
    }
    run.kernelLeft = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore;
    run.outcome = ovix::LastUpdateOutcome();
    std::lock_guard<std::mutex> lock(pages->first);
    run.pagesOpened = pages->second;
    return run;
}

// Silent unless questions are given; every run ends in time and leaves no handle.
void Expect(const CheckRun& run, UpdateOutcome expected, const std::vector<std::string>& questions = {},
            const std::vector<std::string>& pages = {}) {
    EXPECT_TRUE(run.ended) << "the check did not end within " << kBoundMs << " ms";
    EXPECT_EQ(run.outcome, expected);
    EXPECT_EQ(run.questions, questions);
    EXPECT_EQ(run.pagesOpened, pages);
    EXPECT_EQ(run.kernelLeft, 0);
}

class UpdateCheck : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(FindBox(), nullptr) << "a box was left open"; }
};

TEST_F(UpdateCheck, AnotherVersionAsksOnceAndYesOpensTheProductPage) {
    LocalHttpServer server(HttpAnswer(200, "\xEF\xBB\xBF" "1.0.5\r\n<html>notes</html>\r\n"));
    ASSERT_TRUE(server.Started());
    for (const auto& [answer, outcome] : {std::pair{IDNO, UpdateOutcome::Declined}, {IDYES, UpdateOutcome::Accepted}}) {
        const CheckRun run = RunCheck(server.Url(kPath), answer);
        const std::vector<std::string> pages(answer == IDYES, kProductPage);
        Expect(run, outcome, {std::string(kQuestion) + "+yes+no"}, pages);
        // Only the worker's thread handle is held while the user is asked: every internet handle is closed first.
        EXPECT_EQ(run.kernelWhileAsking, 1);
    }
    EXPECT_EQ(server.Requests(), 2) << "one request per check";
}

TEST_F(UpdateCheck, BadAnswersAreSilent) {
    // With a length, Wine's WinInet reads the rest of the body when the request closes; the check looks at
    // 4 KB. An endless stream of digits (no length) is cut long before its end.
    const std::tuple<const char*, std::string, UpdateOutcome> cases[] = {
        {"running version", HttpAnswer(200, "1.0.6\r\n"), UpdateOutcome::UpToDate},
        {"not found, a version in the page", HttpAnswer(404, "1.0.7"), UpdateOutcome::Unreachable},
        {"empty file", HttpAnswer(200, ""), UpdateOutcome::Unreachable},
        {"10 MB with a length", HttpAnswer(200, std::string(10u << 20, '1')), UpdateOutcome::UpToDate},
        {"endless", HttpAnswer(200, std::string(32u << 20, '1'), false), UpdateOutcome::UpToDate}};
    for (const auto& [name, answer, outcome] : cases) {
        SCOPED_TRACE(name);
        LocalHttpServer server(answer);
        ASSERT_TRUE(server.Started());
        Expect(RunCheck(server.Url(kPath)), outcome);
        EXPECT_EQ(server.Connections(), 1);
        EXPECT_TRUE(std::string(name) != "endless" || server.BytesSent() < answer.size()) << server.BytesSent();
    }
}

TEST_F(UpdateCheck, NoServerOrNoUrlFailsAtOnceAndSilenceEndsWithTheTimeOuts) {
    const unsigned short port = LocalHttpServer::ClosedPort();
    ASSERT_NE(port, 0);
    // A time-out far beyond the bound: only an immediate failure ends in time.
    Expect(RunCheck("http://127.0.0.1:" + std::to_string(port) + kPath, IDNO, 120000), UpdateOutcome::Unreachable);
    Expect(RunCheck("no url at all"), UpdateOutcome::Unreachable);

    LocalHttpServer closing("", test::ServerMode::CloseImmediately);
    ASSERT_TRUE(closing.Started());
    Expect(RunCheck(closing.Url(kPath)), UpdateOutcome::Unreachable);
    EXPECT_EQ(closing.Connections(), 1) << "one attempt: no second connection";

    // A server that never answers: the check ends within its time-outs.
    LocalHttpServer server("", test::ServerMode::NeverAnswer);
    ASSERT_TRUE(server.Started());
    Expect(RunCheck(server.Url(kPath), IDNO, 2000), UpdateOutcome::Unreachable);
    EXPECT_EQ(server.Requests(), 1);
    // The check let go of its connection: the server sees it closed.
    const DWORD start = ::GetTickCount();
    while (server.ClosedByClient() == 0 && ::GetTickCount() - start < 5000) ::Sleep(20);
    EXPECT_EQ(server.ClosedByClient(), 1);
}

}  // namespace
