#include "app/shell_windows.h"

#include "support/own_shell_windows.h"

#include <gtest/gtest.h>

namespace {

using ovix::ShellWindow;
using test::OwnShellWindows;

TEST(ShellWindows, OnlyHiddenOnesAreShown) {
    {
        OwnShellWindows shell{ShellWindow::Taskbar, ShellWindow::StartButton};
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 2);  // the notification area and the desktop
        for (ShellWindow which : {ShellWindow::Taskbar, ShellWindow::StartButton, ShellWindow::NotificationArea,
                                  ShellWindow::Desktop})
            EXPECT_TRUE(::IsWindowVisible(shell.windows[which])) << int(which);
        EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 0) << "nothing left to show";
    }
    // Children shown inside a hidden taskbar come back with it.
    OwnShellWindows shell{ShellWindow::StartButton, ShellWindow::NotificationArea, ShellWindow::Desktop};
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 1);
    EXPECT_TRUE(::IsWindowVisible(shell.windows[ShellWindow::NotificationArea]));
    shell.windows.clear();  // a system without any of them
    EXPECT_EQ(ovix::ShowHiddenShellWindows(shell), 0);
}

}  // namespace
