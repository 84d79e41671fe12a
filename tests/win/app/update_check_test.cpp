// The update check against a server of the test's own on 127.0.0.1: what is asked, what stays silent, that the
// check always ends, and that it releases every handle it takes.
#include "app/update_check.h"

#include "framework/handles.h"
#include "support/command_fakes.h"
#include "support/local_http_server.h"

#include <gtest/gtest.h>

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

struct CheckRun {
    bool ended = false;  // the worker ended within the bound
    UpdateOutcome outcome = UpdateOutcome::Unreachable;
    std::vector<std::string> questions;  // text, then "+yes+no" for those buttons
    long kernelWhileAsking = -1;         // owners alive while asking, beyond those before the check
    std::vector<std::string> pagesOpened;
    long kernelLeft = 0;  // after the worker and its handle are gone, against before
};

// The check on StartUpdateCheck's worker thread; a question is answered with `answer` there.
CheckRun RunCheck(const std::string& url, int answer = IDNO, DWORD timeoutMs = 5000) {
    test::CommandFakes fakes;
    CheckRun run;
    const long kernelBefore = fw::LiveCount(fw::ResourceKind::Kernel);
    fakes.boxes.answer = answer;
    fakes.boxes.onShow = [&] { run.kernelWhileAsking = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore; };
    {
        fw::UniqueHandle worker = ovix::StartUpdateCheck({url, kProductPage, timeoutMs});
        EXPECT_TRUE(worker);
        run.ended = worker && ::WaitForSingleObject(worker.Get(), kBoundMs) == WAIT_OBJECT_0;
        if (worker && !run.ended) ::WaitForSingleObject(worker.Get(), INFINITE);  // the fakes must outlive it
    }
    run.kernelLeft = fw::LiveCount(fw::ResourceKind::Kernel) - kernelBefore;
    run.outcome = ovix::LastUpdateOutcome();
    for (const auto& box : fakes.boxes.shown) {
        run.questions.push_back(box.text + ((box.buttons & MB_TYPEMASK) == MB_YESNO ? "+yes+no" : ""));
    }
    run.pagesOpened = fakes.launcher.calls;
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

using UpdateCheck = testing::Test;

TEST_F(UpdateCheck, AnotherVersionAsksOnceAndYesOpensTheProductPage) {
    LocalHttpServer server(HttpAnswer(200, "\xEF\xBB\xBF" "1.0.5\r\n<html>notes</html>\r\n"));
    ASSERT_TRUE(server.Started());
    for (const auto& [answer, outcome] : {std::pair{IDNO, UpdateOutcome::Declined}, {IDYES, UpdateOutcome::Accepted}}) {
        const CheckRun run = RunCheck(server.Url(kPath), answer);
        const std::vector<std::string> pages(answer == IDYES, std::string("|") + kProductPage + "|||10");
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
