#include "app/shell_windows.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

namespace {

using ovix::ShellWindow;

// Stand-ins for the taskbar and its children and the desktop, made by the
// test, hidden but for those given.
class OwnShellWindows : public ovix::ShellWindowFinder {
public:
    OwnShellWindows(std::initializer_list<ShellWindow> shown) {
        windows[ShellWindow::Taskbar] = Make(nullptr);
        windows[ShellWindow::StartButton] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::NotificationArea] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::Desktop] = Make(nullptr);
        for (ShellWindow window : shown) ::ShowWindow(windows[window], SW_SHOW);
    }
    ~OwnShellWindows() override {
        ::DestroyWindow(windows[ShellWindow::Desktop]);
        ::DestroyWindow(windows[ShellWindow::Taskbar]);
    }
    HWND Find(ShellWindow which) const override { return windows.at(which); }

    std::map<ShellWindow, HWND> windows;

private:
    static HWND Make(HWND parent) {
        return ::CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                                 nullptr, nullptr);
    }
};

// A system without any of them.
struct NoShellWindows : ovix::ShellWindowFinder {
    HWND Find(ShellWindow) const override { return nullptr; }
};

TEST(ShellWindows, OnlyHiddenOnesAreShown) {
    {
        OwnShellWindows shell{ShellWindow::Taskbar, ShellWindow::StartButton};
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 2);  // the notification area and the desktop
        for (const auto& [which, window] : shell.windows) EXPECT_TRUE(::IsWindowVisible(window)) << int(which);
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 0) << "nothing left to show";
    }
    // Children shown inside a hidden taskbar come back with it.
    OwnShellWindows shell{ShellWindow::StartButton, ShellWindow::NotificationArea, ShellWindow::Desktop};
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 1);
    EXPECT_TRUE(::IsWindowVisible(shell.windows[ShellWindow::NotificationArea]));
    EXPECT_EQ(ovix::ShowHiddenShellWindows(NoShellWindows()), 0);
}

}  // namespace
