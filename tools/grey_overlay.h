// The busy cover: a picture of a window, faded towards grey, laid over it
// while a long action runs on the interface thread. It is a popup owned by the
// window and titled as it; a left click anywhere on it takes it away.
#pragma once

#include "framework/handles.h"

#include <cstdint>

namespace ovix {

class GreyOverlay {
public:
    static constexpr const char* kClassName = "OvixGreyOverlay";

    GreyOverlay() = default;
    ~GreyOverlay() { Close(); }
    // The window keeps a pointer to this object: it stays where it is.
    GreyOverlay(const GreyOverlay&) = delete;
    GreyOverlay& operator=(const GreyOverlay&) = delete;

    // Photographs the window's part of the screen, covers the window with the
    // picture and fades it in 20 frames painted at once. False (and nothing
    // shown) for no window, one wholly off the screen, or a failed call. A
    // cover already shown is closed first.
    bool Show(HWND over);
    // Takes the cover away; nothing to do once it was clicked away or never shown.
    void Close();
    // The cover's window, null once it is gone.
    HWND Hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClass();
    void Paint(HDC dc) const;

    HWND hwnd_ = nullptr;
    fw::BitmapHandle picture_;  // 32-bit top-down DIB section: the last frame
    SIZE size_{};
};

}  // namespace ovix
