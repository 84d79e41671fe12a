#include "widgets/gradient_gauge.h"

#include "framework/text_format.h"

namespace widgets {
namespace {
const char kGaugeProperty[] = "OvixGauge";

int Blend(int from, int to, int step, int steps) { return from + (to - from) * step / (steps > 1 ? steps - 1 : 1); }
}  // namespace

void FillHorizontalGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to) {
    const int width = rect.right - rect.left;
    if (width <= 0 || rect.bottom <= rect.top) return;
    // One column at a time keeps it independent of msimg32's GradientFill.
    for (int x = 0; x < width; ++x) {
        const COLORREF colour = RGB(Blend(GetRValue(from), GetRValue(to), x, width),
                                    Blend(GetGValue(from), GetGValue(to), x, width),
                                    Blend(GetBValue(from), GetBValue(to), x, width));
        ::SetBkColor(dc, colour);
        const RECT column{rect.left + x, rect.top, rect.left + x + 1, rect.bottom};
        ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
    }
}

bool GradientGauge::Attach(HWND progressBar, COLORREF from, COLORREF to, const char* textFormat) {
    Detach();
    from_ = from;
    to_ = to;
    format_ = textFormat;
    if (!subclass_.Install(progressBar, kGaugeProperty, &GradientGauge::Procedure, this)) return false;
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
    return true;
}

void GradientGauge::Detach() {
    subclass_.Remove();
}

void GradientGauge::SetRange(int low, int high) {
    if (Hwnd()) ::SendMessageA(Hwnd(), PBM_SETRANGE32, low, high);
}

void GradientGauge::SetPos(int value) {
    if (Hwnd()) ::SendMessageA(Hwnd(), PBM_SETPOS, value, 0);
}

int GradientGauge::Pos() const { return Hwnd() ? static_cast<int>(::SendMessageA(Hwnd(), PBM_GETPOS, 0, 0)) : 0; }

std::string GradientGauge::Text() const { return fw::Format(format_, Pos()); }

void GradientGauge::Paint(HDC dc) const {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    const int low = static_cast<int>(::SendMessageA(Hwnd(), PBM_GETRANGE, TRUE, 0));
    const int high = static_cast<int>(::SendMessageA(Hwnd(), PBM_GETRANGE, FALSE, 0));
    const int pos = Pos();
    const int span = high > low ? high - low : 1;
    const int filled = static_cast<int>(static_cast<long long>(client.right - client.left) * (pos - low) / span);

    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    // The whole gradient spans the bar; the value uncovers it from the left.
    RECT bar = client;
    bar.right = client.left + (filled < 0 ? 0 : filled);
    if (bar.right > bar.left) {
        const int width = client.right - client.left;
        fw::RegionHandle clip(::CreateRectRgnIndirect(&bar));
        ::SelectClipRgn(dc, clip.Get());
        FillHorizontalGradient(dc, RECT{client.left, client.top, client.left + width, client.bottom}, from_, to_);
        ::SelectClipRgn(dc, nullptr);
    }

    // A thin frame keeps an empty gauge visible on the window colour.
    ::FrameRect(dc, &client, ::GetSysColorBrush(COLOR_BTNSHADOW));

    const std::string text = Text();
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(::GetParent(Hwnd()), WM_GETFONT, 0, 0));
    fw::SelectGuard selectFont(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK GradientGauge::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = fw::Subclass::OwnerOf<GradientGauge>(window, kGaugeProperty);
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = self->subclass_.Original();
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        // Draw off-screen so the value never flickers.
        RECT client;
        ::GetClientRect(window, &client);
        {
            fw::MemoryDc memory(::CreateCompatibleDC(dc));
            fw::BitmapHandle bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
            fw::SelectGuard selectBitmap(memory.Get(), bitmap.Get());
            self->Paint(memory.Get());
            ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
        ::EndPaint(window, &paint);
        return 0;
    }
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT result = ::CallWindowProcA(original, window, message, wParam, lParam);
        ::InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_NCDESTROY: {
        self->Detach();
        return ::CallWindowProcA(original, window, message, wParam, lParam);
    }
    default:
        return ::CallWindowProcA(original, window, message, wParam, lParam);
    }
}

}  // namespace widgets
