#include "framework/subclass.h"

namespace fw {

bool Subclass::Install(HWND window, const char* property, WNDPROC procedure, void* owner) {
    Remove();
    if (!window || !::IsWindow(window) || ::GetPropA(window, property)) return false;
    if (!::SetPropA(window, property, owner)) return false;
    const auto original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    if (!original) {
        ::RemovePropA(window, property);
        return false;
    }
    window_ = window;
    property_ = property;
    original_ = original;
    return true;
}

void Subclass::Remove() {
    if (!window_) return;
    if (::IsWindow(window_)) {
        ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        ::RemovePropA(window_, property_);
    }
    window_ = nullptr;
    property_ = nullptr;
    original_ = nullptr;
}

}  // namespace fw
