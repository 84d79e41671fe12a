#include "framework/resources.h"

namespace fw {

HINSTANCE ModuleInstance() { return ::GetModuleHandleA(nullptr); }

IconHandle LoadIconResource(UINT id, int size) {
    return IconHandle(static_cast<HICON>(
        ::LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

BitmapHandle LoadBitmapResource(UINT id) {
    return BitmapHandle(static_cast<HBITMAP>(
        ::LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

MenuHandle LoadMenuResource(UINT id) { return MenuHandle(::LoadMenuA(ModuleInstance(), MAKEINTRESOURCEA(id))); }

std::string LoadStringResource(UINT id) {
    char buffer[1024];
    const int length = ::LoadStringA(ModuleInstance(), id, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string ModulePath() {
    char buffer[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
    // A result that fills the buffer may be cut: it counts as unreadable.
    return length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

}  // namespace fw
