#include "app/main_window.h"

#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

namespace {

class TrayTest : public testing::Test {
protected:
    void SetUp() override {
        window.SetTrayShell(&tray);
        ASSERT_TRUE(window.CreateModeless());
        ::ShowWindow(window.Hwnd(), SW_SHOW);
        test::Pump();
    }

    void Minimise() { ::SendMessageA(window.Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    void Command(UINT id) { ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0); }
    void TaskbarCreated() { ::SendMessageA(window.Hwnd(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0); }
    bool Shown() const { return ::IsWindowVisible(window.Hwnd()) != FALSE; }

    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
};

TEST_F(TrayTest, EveryWayIntoTheTrayAddsTheIconOnce) {
    EXPECT_TRUE(tray.calls.empty()) << "the icon is not added at start-up";
    Minimise();
    Minimise();
    Command(ID_REDUCE);
    ::PostMessageA(window.Tree(), WM_KEYDOWN, VK_DOWN, 0);
    test::Pump();
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(window.TrayIconVisible());
    EXPECT_EQ(tray.Count(NIM_ADD), 1);
    // The first version of the record (older shells refuse the later sizes), for
    // icon 1 and the message the window answers.
    const NOTIFYICONDATAA& record = tray.lastRecord;
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_TRUE(record.hWnd == window.Hwnd() && record.uID == 1 && record.uCallbackMessage == WM_USER + 1);
    EXPECT_STREQ(record.szTip, "Ovix v1.0.6");
    EXPECT_NE(record.hIcon, nullptr);
    ::SendMessageA(window.Hwnd(), WM_USER + 1, 2, WM_LBUTTONDBLCLK);  // another icon's: not ours
    EXPECT_FALSE(Shown());
    ::SendMessageA(window.Hwnd(), WM_USER + 1, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(tray.present || window.TrayIconVisible());
    // The Down arrow alone reduces too; "Restore" brings the window back.
    ::PostMessageA(window.Tree(), WM_KEYDOWN, VK_DOWN, 0);
    test::Pump();
    EXPECT_FALSE(Shown());
    Command(ID_TRAY_RESTORE);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(tray.Count(NIM_ADD), 2);
    EXPECT_EQ(tray.Count(NIM_DELETE), 2);
}

TEST_F(TrayTest, FailedCallsAndTaskbarCreatedAddingTheIconAgain) {
    tray.failAdd = true;
    Command(ID_REDUCE);
    Minimise();
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(window.TrayIconVisible());
    EXPECT_TRUE(window.TimersRunning());
    tray.failAdd = false;
    // A restarted shell: the icon comes back only when it was there.
    TaskbarCreated();
    EXPECT_EQ(tray.Count(NIM_ADD), 2);  // the two that failed
    Command(ID_REDUCE);
    tray.present = false;  // the shell restarted and forgot it
    TaskbarCreated();
    EXPECT_EQ(tray.Count(NIM_ADD), 4);
    EXPECT_TRUE(tray.present);
    EXPECT_FALSE(Shown());
    // Without room for the icon the window comes back.
    tray.present = false;
    tray.failAdd = true;
    TaskbarCreated();
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(window.TrayIconVisible());

    // A delete that fails leaves the icon there.
    const int adds = tray.Count(NIM_ADD);
    tray.failAdd = false;
    Command(ID_REDUCE);
    tray.failDelete = true;
    Command(ID_TRAY_RESTORE);
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(window.TrayIconVisible()) << "the icon is still there";
    // An icon gone with the old shell: the flag clears, and the next
    // minimise adds it again instead of believing it is there.
    tray.failDelete = false;
    tray.present = false;
    Command(ID_TRAY_RESTORE);
    EXPECT_FALSE(window.TrayIconVisible());
    Minimise();
    EXPECT_EQ(tray.Count(NIM_ADD), adds + 2);
    EXPECT_FALSE(Shown());
}

TEST_F(TrayTest, TimersIdleWhileHiddenAndDestructionDeletesOnlyAnIconThatIsThere) {
    window.SetItemText(IDC_PROCESS_COUNT, "unchanged");
    Command(ID_REDUCE);
    EXPECT_FALSE(window.TimersRunning());
    window.OnTimer(300);
    EXPECT_EQ(window.ItemText(IDC_PROCESS_COUNT), "unchanged");
    Command(ID_TRAY_RESTORE);
    EXPECT_TRUE(window.TimersRunning());
    // Restored windows show fresh values at once.
    EXPECT_EQ(window.ItemText(IDC_PROCESS_COUNT).rfind(" Running processes: ", 0), 0u);
    ::DestroyWindow(window.Hwnd());
    EXPECT_EQ(tray.Count(NIM_DELETE), 1);  // the restore's alone
    EXPECT_FALSE(window.TimersRunning());

    ovix::MainWindow second{test::QuietOptions()};
    second.SetTrayShell(&tray);
    ASSERT_TRUE(second.CreateModeless());
    ::SendMessageA(second.Hwnd(), WM_COMMAND, ID_REDUCE, 0);
    ASSERT_TRUE(tray.present);
    ::DestroyWindow(second.Hwnd());
    EXPECT_FALSE(tray.present);
    EXPECT_EQ(tray.Count(NIM_DELETE), 2);
    EXPECT_FALSE(second.TimersRunning());
}

}  // namespace
