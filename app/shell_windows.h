// The shell windows that commands may hide (taskbar, Start button,
// notification area, desktop) and showing them again at exit. Found through a
// seam, since a test must only ever touch windows it created.
#pragma once

#include "framework/win.h"

namespace ovix {

enum class ShellWindow { Taskbar, StartButton, NotificationArea, Desktop };

class ShellWindowFinder {
public:
    virtual ~ShellWindowFinder() = default;
    virtual HWND Find(ShellWindow which) const;
};

// Shows again, with the default show command, each of the four that exists and
// is not visible; visible ones are left alone. Returns how many were shown.
int ShowHiddenShellWindows(const ShellWindowFinder& finder);

}  // namespace ovix
