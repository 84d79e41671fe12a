// Message boxes behind one seam: the commands and tools ask their questions
// here, and tests answer them (and read the icon a box would carry, which a
// box on screen does not tell).
#pragma once

#include "framework/win.h"

#include <string>

namespace ovix {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption = "Ovix";
    UINT buttons = MB_OK;        // MB_OK, MB_YESNO, ...
    UINT defaultButton = 0;      // MB_DEFBUTTON1..4
    UINT icon = 0;               // MB_ICONINFORMATION, ...; ignored with a user icon
    UINT userIcon = 0;           // an icon resource of the program, or 0
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns the button chosen (IDOK, IDYES, ...).
    virtual int Show(const MessageBoxRequest& request);
};

MessageBoxes& CurrentMessageBoxes();
MessageBoxes* SetMessageBoxes(MessageBoxes* boxes);  // null: the system's

inline int ShowMessage(const MessageBoxRequest& request) { return CurrentMessageBoxes().Show(request); }

// "OK" boxes of the usual kinds, caption "Ovix".
inline void ShowInformation(HWND owner, const std::string& text) {
    ShowMessage({.owner = owner, .text = text, .icon = MB_ICONINFORMATION});
}
inline void ShowError(HWND owner, const std::string& text) {
    ShowMessage({.owner = owner, .text = text, .icon = MB_ICONERROR});
}

}  // namespace ovix
