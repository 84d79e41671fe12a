// A push button that shows an icon left of its text, drawn by this object:
// a plain button shows no icon without version 6 of the common controls
// (Windows 2000, or no manifest). The button keeps its own text; the icon
// belongs to this object and is destroyed after it is replaced.
#pragma once

#include "framework/handles.h"
#include "framework/owner_draw.h"

namespace widgets {

class IconButton : public fw::OwnerDrawn {
public:
    IconButton() = default;
    ~IconButton() override;
    IconButton(const IconButton&) = delete;
    IconButton& operator=(const IconButton&) = delete;

    // Gives the button the icon resource (16x16), makes it drawn by this
    // object and redraws it at once.
    bool SetIcon(HWND button, UINT iconId);
    UINT IconId() const { return iconId_; }
    HICON Icon() const { return icon_.Get(); }

    // The frame (pushed or not), the icon and the text side by side in the
    // middle, greyed when disabled, and the focus rectangle.
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    fw::IconHandle icon_;
    UINT iconId_ = 0;
    HWND button_ = nullptr;
};

}  // namespace widgets
