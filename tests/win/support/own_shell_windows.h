// Stand-ins for the taskbar, its Start button and notification area, the
// desktop and the screen window, made by the test (hidden but for those
// given), so that no test touches the real shell's windows.
#pragma once

#include "app/shell_windows.h"

#include <initializer_list>
#include <map>
#include <vector>

namespace test {

class OwnShellWindows : public ovix::ShellWindowFinder {
public:
    using ShellWindow = ovix::ShellWindow;
    OwnShellWindows(std::initializer_list<ShellWindow> shown) {
        windows[ShellWindow::Taskbar] = Make(nullptr);
        windows[ShellWindow::StartButton] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::NotificationArea] = Make(windows[ShellWindow::Taskbar]);
        windows[ShellWindow::Desktop] = Make(nullptr);
        windows[ShellWindow::Screen] = Make(nullptr);
        for (ShellWindow window : shown) ::ShowWindow(windows[window], SW_SHOW);
        tops_ = {windows[ShellWindow::Desktop], windows[ShellWindow::Taskbar], windows[ShellWindow::Screen]};
    }
    // Also when a test emptied the map to play a system without them.
    ~OwnShellWindows() override {
        for (HWND top : tops_) ::DestroyWindow(top);
    }
    HWND Find(ShellWindow which) const override {
        const auto found = windows.find(which);
        return found == windows.end() ? nullptr : found->second;
    }
    // The first message of that kind queued for the window (removed), or 0 as wParam.
    static WPARAM Posted(HWND window, UINT message) {
        MSG queued{};
        return ::PeekMessageA(&queued, window, message, message, PM_REMOVE) ? queued.wParam : 0;
    }

    std::map<ShellWindow, HWND> windows;

private:
    std::vector<HWND> tops_;
    static HWND Make(HWND parent) {
        return ::CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                                 nullptr, nullptr);
    }
};

}  // namespace test
