#include "app/shell_windows.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using ovix::ShellWindow;

// Stand-ins for the taskbar and its children and the desktop, made by the
// test (hidden at first); none when `none` is set.
class OwnShellWindows : public ovix::ShellWindowFinder {
public:
    explicit OwnShellWindows(bool none = false) {
        if (none) return;
        windows[ShellWindow::Taskbar] = Make(nullptr);
        windows[ShellWindow::StartButton] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::NotificationArea] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::Desktop] = Make(nullptr);
    }
    ~OwnShellWindows() override {
        ::DestroyWindow(windows[ShellWindow::Desktop]);
        ::DestroyWindow(windows[ShellWindow::Taskbar]);
    }
    HWND Find(ShellWindow which) const override { return windows.count(which) ? windows.at(which) : nullptr; }
    void Show(ShellWindow which) { ::ShowWindow(windows[which], SW_SHOW); }
    bool Visible(ShellWindow which) { return ::IsWindowVisible(windows[which]); }

    std::map<ShellWindow, HWND> windows;

private:
    static HWND Make(HWND parent) {
        return ::CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                                 nullptr, nullptr);
    }
};

TEST(ShellWindows, OnlyHiddenOnesAreShown) {
    {
        OwnShellWindows shell;
        shell.Show(ShellWindow::Taskbar);
        shell.Show(ShellWindow::StartButton);
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 2);  // the notification area and the desktop
        for (const auto& [which, window] : shell.windows) EXPECT_TRUE(::IsWindowVisible(window)) << int(which);
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 0) << "nothing left to show";
    }
    {
        // Children shown inside a hidden taskbar come back with it.
        OwnShellWindows shell;
        shell.Show(ShellWindow::StartButton);
        shell.Show(ShellWindow::NotificationArea);
        shell.Show(ShellWindow::Desktop);
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 1);
        EXPECT_TRUE(shell.Visible(ShellWindow::NotificationArea));
    }
    OwnShellWindows none(true);  // windows that do not exist are skipped
    EXPECT_EQ(ovix::ShowHiddenShellWindows(none), 0);
}

}  // namespace
