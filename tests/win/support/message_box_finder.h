// Finds the message boxes this process shows (top-level dialogs of class
// "#32770"), reads their text and answers them, from a thread other than the
// one that shows the box.
#pragma once

#include "framework/win.h"

#include <string>

namespace test {

// The id of a message box's text (a static control).
inline constexpr int kMessageBoxTextId = 65535;

// A visible top-level dialog of this process with exactly that caption, or null.
HWND FindMessageBox(const std::string& caption);

// Looks for the box every few milliseconds for up to timeoutMs; gives up early
// (null) once `stopWhenSignaled` is signaled, when one is given.
HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs, HANDLE stopWhenSignaled = nullptr);

// A window's text, asked with a bounded wait (the box runs its own loop).
std::string WindowText(HWND window);

// The message of a box: the text of its static 65535.
std::string MessageBoxText(HWND box);

bool HasButton(HWND box, int id);

// Clicks the button by posting WM_COMMAND to the box: never waits for the modal
// loop, which a sent message would. False when the box has no such button.
bool ClickButton(HWND box, int id);

}  // namespace test
