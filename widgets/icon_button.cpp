#include "widgets/icon_button.h"

#include "framework/dialog.h"
#include "framework/resources.h"

#include <string>

namespace widgets {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconTextGap = 4;


}  // namespace

IconButton::~IconButton() { fw::SetOwnerDrawn(button_, nullptr); }

bool IconButton::SetIcon(HWND button, UINT iconId) {
    if (!button) return false;
    fw::IconHandle icon = fw::LoadIconResource(iconId, kIconSize);
    if (!icon) return false;
    if (button_ != button) {
        fw::SetOwnerDrawn(button_, nullptr);
        button_ = button;
        fw::SetOwnerDrawn(button_, this);
        const LONG_PTR style = ::GetWindowLongPtrA(button_, GWL_STYLE);
        ::SendMessageA(button_, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW), FALSE);
    }
    // Drawn from now on with the new icon: the old one can go.
    icon_ = std::move(icon);
    iconId_ = iconId;
    ::InvalidateRect(button_, nullptr, TRUE);
    ::UpdateWindow(button_);
    return true;
}

void IconButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT frame = item.rcItem;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    RECT content = item.rcItem;
    ::InflateRect(&content, -3, -3);
    if (pushed) ::OffsetRect(&content, 1, 1);

    const std::string text = fw::WindowText(item.hwndItem);
    auto font = reinterpret_cast<HFONT>(::SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    fw::SelectGuard selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE textSize{};
    if (!text.empty()) ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &textSize);

    const int width = (icon_ ? kIconSize : 0) + (icon_ && !text.empty() ? kIconTextGap : 0) + textSize.cx;
    int x = content.left + ((content.right - content.left) - width) / 2;
    if (icon_) {
        const int y = content.top + ((content.bottom - content.top) - kIconSize) / 2;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, x, y, kIconSize, kIconSize,
                     DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
        x += kIconSize + kIconTextGap;
    }
    if (!text.empty()) {
        RECT textRect{x, content.top, content.right, content.bottom};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

}  // namespace widgets
