#include "widgets/group_box.h"

#include "framework/dialog.h"

#include <algorithm>
#include <string>

namespace widgets {
namespace {

const char kGroupBoxProperty[] = "OvixGroupBox";
constexpr int kCaptionInset = 8;  // from the frame's left edge to the caption
constexpr int kCaptionGap = 2;    // the frame stops this far either side of it


void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

bool GroupBox::Attach(HWND box, const char* face, int height, bool bold, COLORREF text, COLORREF background) {
    Detach();
    font_.Reset(::CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              face));
    text_ = text;
    background_ = background;
    if (!font_ || !subclass_.Install(box, kGroupBoxProperty, &GroupBox::Procedure, this)) {
        font_.Reset();
        return false;
    }
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
    return true;
}

void GroupBox::Detach() {
    // Repainted by its own procedure from now on.
    if (::IsWindow(Hwnd())) ::InvalidateRect(Hwnd(), nullptr, TRUE);
    subclass_.Remove();
    font_.Reset();
}

void GroupBox::Paint(HDC dc) const {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    fw::SelectGuard selectFont(dc, font_.Get());
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    const int band = std::min<int>(metrics.tmHeight, client.bottom - client.top);

    // No control sits in the caption's band: filling all of it also clears
    // what a longer caption left there.
    FillSolid(dc, RECT{client.left, client.top, client.right, client.top + band}, background_);
    RECT frame = client;
    frame.top += band / 2;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    const std::string caption = fw::WindowText(Hwnd());
    if (caption.empty()) return;
    RECT textRect{client.left + kCaptionInset, client.top, client.right - kCaptionInset, client.top + band};
    RECT measured = textRect;
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
    const LONG captionRight = std::min(measured.right, textRect.right);
    FillSolid(dc, RECT{textRect.left - kCaptionGap, client.top, captionRight + kCaptionGap, client.top + band},
              background_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(Hwnd()) ? text_ : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
}

LRESULT CALLBACK GroupBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = fw::Subclass::OwnerOf<GroupBox>(window, kGroupBoxProperty);
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = self->subclass_.Original();
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        self->Paint(dc);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
        // The button draws some of these at once, its own way: draw ours over it.
        const LRESULT result = ::CallWindowProcA(original, window, message, wParam, lParam);
        ::InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_NCDESTROY:
        self->Detach();
        break;
    default:
        break;
    }
    return ::CallWindowProcA(original, window, message, wParam, lParam);
}

}  // namespace widgets
