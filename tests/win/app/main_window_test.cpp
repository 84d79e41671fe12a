#include "app/main_window.h"

#include "framework/handles.h"
#include "framework/resources.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window.SetTrayShell(&tray);
        ASSERT_TRUE(window.CreateModeless());
        ::ShowWindow(window.Hwnd(), SW_SHOW);
        test::Pump();
    }

    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
};

TEST_F(MainWindowTest, CaptionLabelsAndButtons) {
    char caption[64] = "";
    ::GetWindowTextA(window.Hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Ovix v1.0.6");
    EXPECT_EQ(window.ItemText(IDC_CPU_LABEL), "CPU");
    EXPECT_EQ(window.ItemText(IDC_RAM_LABEL), "RAM");
    EXPECT_EQ(window.ItemText(IDC_AUTORUN), "Autorun");
    EXPECT_EQ(window.ItemText(IDOK), "Exit");
    for (const widgets::GradientGauge* gauge : {&window.CpuGauge(), &window.RamGauge()}) {
        EXPECT_EQ(::SendMessageA(gauge->Hwnd(), PBM_GETRANGE, TRUE, 0), 0);
        EXPECT_EQ(::SendMessageA(gauge->Hwnd(), PBM_GETRANGE, FALSE, 0), 100);
    }
    // The icon buttons draw themselves (their icon shows without common controls 6).
    for (int id : {IDOK, IDC_SCREENSHOT, IDC_AUTORUN}) {
        EXPECT_EQ(::GetWindowLongPtrA(window.Item(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "button " << id;
    }
}

// A load source with scripted idle and busy times: 25 of 100 units idle.
class ScriptedUsage : public ovix::cpu::UsageSource {
public:
    System Classify() override { return System::Nt5; }
    bool ReadPerformanceData(std::vector<uint8_t>&) override { return false; }
    bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override {
        idle = 25 * calls;
        kernel = 50 * calls;  // idle included
        user = 50 * calls;
        ++calls;
        return true;
    }
    uint64_t calls = 0;
};

TEST(MainWindowGauge, ProcessorTimerDrivesTheCpuGauge) {
    ScriptedUsage usage;
    ovix::MainWindowOptions options = test::QuietOptions();
    options.cpuUsage = &usage;
    test::FakeTray tray;
    ovix::MainWindow window{options};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    ::ShowWindow(window.Hwnd(), SW_SHOW);
    window.OnTimer(600);
    window.OnTimer(600);
    EXPECT_EQ(window.CpuGauge().Pos(), 75);
    EXPECT_EQ(::SendMessageA(window.Item(IDC_CPU_GAUGE), PBM_GETPOS, 0, 0), 75);
    EXPECT_EQ(window.CpuGauge().Text(), "75%");
    window.End(IDOK);
}

TEST_F(MainWindowTest, TimersFillTheirControls) {
    window.OnTimer(300);
    const std::string text = window.ItemText(IDC_PROCESS_COUNT);
    ASSERT_EQ(text.rfind(" Running processes: ", 0), 0u) << text;
    EXPECT_GE(std::stoi(text.substr(20)), 1) << "at least this test runs";
    window.OnTimer(200);
    const std::string uptime = window.ItemText(IDC_UPTIME);
    EXPECT_EQ(uptime.rfind(" ", 0), 0u) << uptime;
    EXPECT_GT(uptime.size(), 1u);
    window.OnTimer(500);
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    ASSERT_TRUE(::GlobalMemoryStatusEx(&memory));
    EXPECT_NEAR(window.RamGauge().Pos(), static_cast<int>(memory.dwMemoryLoad), 5);
}

TEST_F(MainWindowTest, ExitButtonEndsTheDialogWithOk) {
    ::SendMessageA(window.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(window.Ended());
    EXPECT_EQ(window.Result(), IDOK);
    EXPECT_EQ(window.Hwnd(), nullptr);
}

// The window menu is the system's: opening it must leave Close (and so the
// close box) working.
TEST_F(MainWindowTest, WindowMenuKeepsCloseAndTheCloseBoxWorking) {
    HMENU system = ::GetSystemMenu(window.Hwnd(), FALSE);
    ASSERT_NE(system, nullptr);
    ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    for (UINT id : {UINT(SC_CLOSE), UINT(SC_MOVE), UINT(SC_MINIMIZE)}) {
        EXPECT_FALSE(::GetMenuState(system, id, MF_BYCOMMAND) & MF_GRAYED) << "command " << id;
    }
    // A click on the close box: the button press tracks until the release.
    RECT frame{};
    ::GetWindowRect(window.Hwnd(), &frame);
    POINT closeBox{-1, -1};
    for (int x = frame.right - 2; x > frame.right - 80 && closeBox.x < 0; --x) {
        for (int y = frame.top + 2; y < frame.top + 30; ++y) {
            if (::SendMessageA(window.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                closeBox = {x - 3, y + 3};
                break;
            }
        }
    }
    ASSERT_GE(closeBox.x, 0) << "no close box found";
    ::SetCursorPos(closeBox.x, closeBox.y);
    ::PostMessageA(window.Hwnd(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(window.Hwnd(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(closeBox.x, closeBox.y));
    test::Pump();
    EXPECT_TRUE(window.Ended());
    EXPECT_EQ(window.Result(), IDCANCEL);
}

TEST(MainWindowResources, EverythingTakenIsGivenBack) {
    const fw::ResourceKind kinds[] = {fw::ResourceKind::Gdi, fw::ResourceKind::Icon, fw::ResourceKind::Menu,
                                      fw::ResourceKind::RegistryKey, fw::ResourceKind::Kernel,
                                      fw::ResourceKind::DeviceContext};
    long before[std::size(kinds)];
    for (size_t i = 0; i < std::size(kinds); ++i) before[i] = fw::LiveCount(kinds[i]);
    for (int round = 0; round < 3; ++round) {
        test::FakeTray tray;
        ovix::MainWindow window{test::QuietOptions()};
        window.SetTrayShell(&tray);
        ASSERT_TRUE(window.CreateModeless());
        ::ShowWindow(window.Hwnd(), SW_SHOW);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_AUTORUN, 0);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_AUTORUN, 0);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_REDUCE, 0);
        window.End(IDOK);
    }
    for (size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(fw::LiveCount(kinds[i]), before[i]) << "kind " << static_cast<int>(kinds[i]);
    }
}

TEST(MainWindowStrings, StartupFailureTextsInTheWindowsCodePage) {
    EXPECT_EQ(fw::LoadStringResource(100), "L'initialisation des sockets Windows a \xE9" "chou\xE9.");
    EXPECT_EQ(fw::LoadStringResource(139),
              "\xC9" "chec de l'initialisation d'OLE. Assurez-vous que vous utilisez la bonne version des "
              "biblioth\xE8ques OLE.");
}

}  // namespace
