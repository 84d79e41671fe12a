#include "app/shell_windows.h"

#include <initializer_list>

namespace ovix {

HWND ShellWindowFinder::Find(ShellWindow which) const {
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    switch (which) {
    case ShellWindow::Taskbar:
        return taskbar;
    case ShellWindow::StartButton:
        return taskbar ? ::GetDlgItem(taskbar, 304) : nullptr;
    case ShellWindow::NotificationArea:
        return taskbar ? ::GetDlgItem(taskbar, 303) : nullptr;
    case ShellWindow::Desktop:
        return ::FindWindowA("ProgMan", nullptr);
    case ShellWindow::Screen:
        return ::GetDesktopWindow();
    }
    return nullptr;
}

int ShowHiddenShellWindows(const ShellWindowFinder& finder) {
    int shown = 0;
    for (ShellWindow which : {ShellWindow::Taskbar, ShellWindow::StartButton, ShellWindow::NotificationArea,
                              ShellWindow::Desktop}) {
        HWND window = finder.Find(which);
        if (window && !::IsWindowVisible(window)) {
            ::ShowWindow(window, SW_SHOWDEFAULT);
            ++shown;
        }
    }
    return shown;
}

bool ToggleShellWindow(const ShellWindowFinder& finder, ShellWindow which) {
    HWND window = finder.Find(which);
    if (!window) return false;
    ::ShowWindow(window, ::IsWindowVisible(window) ? SW_HIDE : SW_SHOWDEFAULT);
    return true;
}

bool TaskbarCommand(const ShellWindowFinder& finder, UINT command) {
    HWND taskbar = finder.Find(ShellWindow::Taskbar);
    return taskbar && ::PostMessageA(taskbar, WM_COMMAND, command, 0);
}

}  // namespace ovix
