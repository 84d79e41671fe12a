// The shell windows that commands may hide (taskbar, Start button,
// notification area, desktop) and showing them again at exit. Found through a
// seam, since a test must only ever touch windows it created.
#pragma once

#include "framework/win.h"

namespace ovix {

// Screen is the window behind everything (GetDesktopWindow), which takes the
// screen-saver system command; Desktop is the shell's desktop ("ProgMan").
enum class ShellWindow { Taskbar, StartButton, NotificationArea, Desktop, Screen };

class ShellWindowFinder {
public:
    virtual ~ShellWindowFinder() = default;
    virtual HWND Find(ShellWindow which) const;
};

// Shows again, with the default show command, each of the four that exists and
// is not visible; visible ones are left alone. Returns how many were shown.
int ShowHiddenShellWindows(const ShellWindowFinder& finder);

// Shows the window with the default show command when hidden, hides it when
// shown; false when there is no such window.
bool ToggleShellWindow(const ShellWindowFinder& finder, ShellWindow which);

// Posts a command to the taskbar: 401 the Run dialog, 413 its properties, 415
// minimise all windows. False when there is no taskbar.
bool TaskbarCommand(const ShellWindowFinder& finder, UINT command);

}  // namespace ovix
