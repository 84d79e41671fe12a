// The screenshot button: the main window, frame and caption included, onto
// the clipboard and into a .bmp file the user names.
#pragma once

#include "framework/win.h"

#include <string>

namespace ovix {

enum class ScreenshotResult { Saved, Cancelled, Failed };

// Captures the window, puts a copy on the clipboard, hides the window while
// the save dialog asks for a name, and writes the file from its own copy (so
// a program that empties the clipboard meanwhile changes nothing). The window
// comes back and the clipboard is emptied in every case; a file that cannot
// be written is removed and reported in an error box.
ScreenshotResult TakeScreenshot(HWND window);

// Writes the bitmap (selected into no DC) as a 24-bit .bmp; on any failure
// removes what it wrote and returns false.
bool WriteBitmapFile(HBITMAP bitmap, const std::string& path);

}  // namespace ovix
