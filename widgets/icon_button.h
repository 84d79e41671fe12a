// A push button that shows an icon beside its text. The button keeps its own
// text; the icon belongs to this object and is destroyed after it is replaced.
#pragma once

#include "framework/handles.h"

namespace widgets {

class IconButton {
public:
    IconButton() = default;
    IconButton(const IconButton&) = delete;
    IconButton& operator=(const IconButton&) = delete;

    // Gives the button the icon resource (16x16) and redraws it at once.
    bool SetIcon(HWND button, UINT iconId);
    UINT IconId() const { return iconId_; }
    HICON Icon() const { return icon_.Get(); }

private:
    fw::IconHandle icon_;
    UINT iconId_ = 0;
};

}  // namespace widgets
