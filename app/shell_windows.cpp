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

}  // namespace ovix
