// A log list scrolls sideways exactly as far as its widest line needs.
#pragma once

#include "framework/win.h"

#include <string>
#include <vector>

namespace ovix {

// Measures every line in the list's own font (text width plus one average
// character) and sets the horizontal extent to the widest. Returns it.
int SetListExtentToWidestLine(HWND list);

// The list's lines in list order.
std::vector<std::string> ListLines(HWND list);

}  // namespace ovix
