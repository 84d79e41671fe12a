#include "app/shell_windows.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Stand-ins for the taskbar and its children and the desktop, made by the test.
class OwnShellWindows : public ovix::ShellWindowFinder {
public:
    OwnShellWindows() {
        taskbar = Make("Shell_TrayWnd", nullptr);
        windows[ovix::ShellWindow::Taskbar] = taskbar;
        windows[ovix::ShellWindow::StartButton] = Make(nullptr, taskbar);
        windows[ovix::ShellWindow::NotificationArea] = Make(nullptr, taskbar);
        windows[ovix::ShellWindow::Desktop] = Make("ProgMan", nullptr);
    }
    ~OwnShellWindows() override {
        ::DestroyWindow(windows[ovix::ShellWindow::Desktop]);
        ::DestroyWindow(taskbar);
    }
    HWND Find(ovix::ShellWindow which) const override { return windows.at(which); }

    std::map<ovix::ShellWindow, HWND> windows;
    HWND taskbar;

private:
    static HWND Make(const char* title, HWND parent) {
        return ::CreateWindowExA(0, "STATIC", title ? title : "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10,
                                 parent, nullptr, nullptr, nullptr);
    }
};

TEST(ShellWindows, HiddenOnesAreShownVisibleOnesLeftAlone) {
    OwnShellWindows shell;
    ::ShowWindow(shell.taskbar, SW_SHOW);
    ::ShowWindow(shell.windows[ovix::ShellWindow::StartButton], SW_SHOW);
    // Notification area and desktop stay hidden.
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 2);
    for (const auto& [which, window] : shell.windows) {
        EXPECT_TRUE(::IsWindowVisible(window)) << static_cast<int>(which);
    }
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 0) << "nothing left to show";
}

TEST(ShellWindows, AHiddenTaskbarComesBackWithItsChildren) {
    OwnShellWindows shell;
    for (ovix::ShellWindow which : {ovix::ShellWindow::StartButton, ovix::ShellWindow::NotificationArea}) {
        ::ShowWindow(shell.windows[which], SW_SHOW);  // shown, but inside a hidden taskbar
    }
    ::ShowWindow(shell.windows[ovix::ShellWindow::Desktop], SW_SHOW);
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 1);
    EXPECT_TRUE(::IsWindowVisible(shell.windows[ovix::ShellWindow::NotificationArea]));
}

TEST(ShellWindows, MissingWindowsAreSkipped) {
    class Nothing : public ovix::ShellWindowFinder {
        HWND Find(ovix::ShellWindow) const override { return nullptr; }
    } nothing;
    EXPECT_EQ(ovix::ShowHiddenShellWindows(nothing), 0);
}

TEST(ShellWindows, TheRealFinderLooksForTheShellsClasses) {
    // Wine has a hidden 0x0 taskbar without the two children, and no desktop window of that class.
    const ovix::ShellWindowFinder real;
    EXPECT_EQ(real.Find(ovix::ShellWindow::Taskbar), ::FindWindowA("Shell_TrayWnd", nullptr));
    EXPECT_EQ(real.Find(ovix::ShellWindow::Desktop), ::FindWindowA("ProgMan", nullptr));
    HWND taskbar = real.Find(ovix::ShellWindow::Taskbar);
    EXPECT_EQ(real.Find(ovix::ShellWindow::StartButton), taskbar ? ::GetDlgItem(taskbar, 304) : nullptr);
}

}  // namespace
