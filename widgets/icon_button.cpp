#include "widgets/icon_button.h"

#include "framework/resources.h"

namespace widgets {

bool IconButton::SetIcon(HWND button, UINT iconId) {
    if (!button) return false;
    fw::IconHandle icon = fw::LoadIconResource(iconId, 16);
    if (!icon) return false;
    ::SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
    // The button no longer shows the old icon: now it can go.
    icon_ = std::move(icon);
    iconId_ = iconId;
    ::InvalidateRect(button, nullptr, TRUE);
    ::UpdateWindow(button);
    return true;
}

}  // namespace widgets
