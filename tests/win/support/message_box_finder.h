// Finds the message boxes this process shows, reads them and answers them,
// from a thread other than the one that shows the box.
#pragma once

#include "framework/win.h"

#include <string>

namespace test {

// A visible message box (a top-level "#32770" dialog) with exactly that caption, or null.
HWND FindMessageBox(const std::string& caption);

// The message of a box: the text of its static 65535.
std::string MessageBoxText(HWND box);

bool HasButton(HWND box, int id);

// Clicks the button by posting WM_COMMAND to the box: never waits for the modal
// loop, which a sent message would. False when the box has no such button.
bool ClickButton(HWND box, int id);

}  // namespace test
