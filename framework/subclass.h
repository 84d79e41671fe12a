// A window procedure put in front of a control's own. The object that handles
// it is found through a window property; the control's procedure is given
// back on Remove, on destruction, or by the handler at WM_NCDESTROY (the
// control goes first, and its procedure must still be callable then).
#pragma once

#include "framework/win.h"

namespace fw {

class Subclass {
public:
    Subclass() = default;
    ~Subclass() { Remove(); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Puts `procedure` in front of `window`'s, with `owner` under `property`.
    // False for no window, a window another owner already holds under that
    // name, or a procedure that cannot be replaced.
    bool Install(HWND window, const char* property, WNDPROC procedure, void* owner);
    void Remove();

    HWND Window() const { return window_; }
    // The control's own procedure, for the messages the handler passes on;
    // taken before a Remove at WM_NCDESTROY, which the control still needs.
    WNDPROC Original() const { return original_; }

    // The owner installed on `window` under `property`, if any.
    template <class Owner>
    static Owner* OwnerOf(HWND window, const char* property) {
        return static_cast<Owner*>(::GetPropA(window, property));
    }

private:
    HWND window_ = nullptr;
    const char* property_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace fw
