// The computer summary opened from a main window with fixed facts: F2 and
// both commands, each input that closes it, the time-out, and what twenty
// openings leave behind.
#include "app/main_window.h"

#include "framework/handles.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ovix::SummaryFacts FixedFacts() {
    ovix::SummaryFacts facts;
    facts.osName = "Microsoft Windows XP Professional";
    facts.processorName = "Test CPU";
    facts.clockMhz = 1000;
    facts.totalPhysicalBytes = 1ull << 30;
    facts.diskCount = 1;
    facts.diskGigabytes = 76;
    facts.computerName = "TESTBOX";
    facts.userName = "tester";
    facts.bootTime = "Boot Time: 01/02/2026 @ 03:04:05";
    return facts;
}

BOOL CALLBACK NoteSummary(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(context);
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == widgets::SplashWindow::kClassName && ::GetWindow(window, GW_OWNER) == found->first) {
        found->second.push_back(window);
    }
    return TRUE;
}

class SummaryTest : public testing::Test {
protected:
    void Open(DWORD displayMs = 300000) {
        ovix::MainWindowOptions options = test::QuietOptions();
        options.summaryFacts = FixedFacts;
        options.summaryDisplayMs = displayMs;
        window = std::make_unique<ovix::MainWindow>(options);
        window->SetTrayShell(&tray);
        ASSERT_TRUE(window->CreateModeless());
        ::ShowWindow(window->Hwnd(), SW_SHOW);
        test::Pump();
    }
    void TearDown() override {
        if (window) window->End(IDCANCEL);
    }
    std::vector<HWND> Summaries() const {
        std::pair<HWND, std::vector<HWND>> found{window->Hwnd(), {}};
        ::EnumThreadWindows(::GetCurrentThreadId(), NoteSummary, reinterpret_cast<LPARAM>(&found));
        return found.second;
    }
    HWND OpenOne(UINT how) {
        if (how == VK_F2) {
            ::PostMessageA(window->Hwnd(), WM_KEYDOWN, VK_F2, 0);
        } else {
            ::PostMessageA(window->Hwnd(), WM_COMMAND, how, 0);
        }
        test::Pump();
        const std::vector<HWND> open = Summaries();
        EXPECT_EQ(open.size(), 1u);
        return open.empty() ? nullptr : open[0];
    }

    test::FakeTray tray;
    std::unique_ptr<ovix::MainWindow> window;
};

TEST_F(SummaryTest, F2AndBothCommandsOpenItAndEveryInputClosesIt) {
    Open();
    const std::string expected = ovix::SummaryText(FixedFacts());
    const struct {
        UINT open;
        UINT input;
        LPARAM lParam;
    } cases[] = {
        {VK_F2, WM_KEYDOWN, 0},          {33050, WM_SYSKEYDOWN, 0},
        {33051, WM_LBUTTONDOWN, 0},      {VK_F2, WM_RBUTTONDOWN, 0},
        {VK_F2, WM_NCLBUTTONDOWN, MAKELPARAM(1, 1)},
    };
    for (const auto& c : cases) {
        const HWND summary = OpenOne(c.open);
        ASSERT_TRUE(summary) << c.open;
        EXPECT_EQ(fw::WindowText(summary), expected);
        EXPECT_TRUE(::IsWindowVisible(summary));
        ::PostMessageA(summary, c.input, c.input == WM_NCLBUTTONDOWN ? HTCAPTION : 0, c.lParam);
        test::Pump();
        EXPECT_FALSE(::IsWindow(summary)) << "input " << c.input;
    }
}

TEST_F(SummaryTest, ItClosesAtTheEndOfItsTimeAndLeavesNothing) {
    Open(50);
    const HWND summary = OpenOne(VK_F2);
    for (int i = 0; i < 100 && ::IsWindow(summary); ++i) {
        ::Sleep(10);
        test::Pump();
    }
    EXPECT_FALSE(::IsWindow(summary)) << "closed without input";

    window->End(IDCANCEL);
    window.reset();
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi), dcs = fw::LiveCount(fw::ResourceKind::DeviceContext);
    Open();
    std::vector<HWND> opened;
    for (int i = 0; i < 20; ++i) {
        opened.push_back(OpenOne(VK_F2));
        ::PostMessageA(opened.back(), WM_KEYDOWN, VK_ESCAPE, 0);
        test::Pump();
    }
    // One left open goes with its main window.
    const HWND last = OpenOne(33050);
    window->End(IDCANCEL);
    window.reset();
    for (HWND summary : opened) EXPECT_FALSE(::IsWindow(summary));
    EXPECT_FALSE(::IsWindow(last));
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::DeviceContext), dcs);
}

}  // namespace
