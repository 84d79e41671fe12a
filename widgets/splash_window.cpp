#include "widgets/splash_window.h"

#include "framework/resources.h"

#include <string_view>
#include <vector>

#ifndef CS_DROPSHADOW
#define CS_DROPSHADOW 0x00020000
#endif
#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif

namespace widgets {
namespace {

constexpr UINT_PTR kCloseTimer = 1;

}  // namespace

bool SystemAnimatesWindows() {
    ANIMATIONINFO info{};
    info.cbSize = sizeof(info);
    return ::SystemParametersInfoA(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}

bool SplashWindow::RegisterClass() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(fw::ModuleInstance(), kClassName, &existing)) return true;

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &SplashWindow::Procedure;
    windowClass.hInstance = fw::ModuleInstance();
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    BOOL shadow = FALSE;
    if (::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0) && shadow) {
        windowClass.style = CS_DROPSHADOW;
        if (::RegisterClassExA(&windowClass)) return true;
    }
    // No shadow on this system (or it was refused): the plain class.
    windowClass.style = 0;
    return ::RegisterClassExA(&windowClass) != 0;
}

fw::RegionHandle SplashWindow::RegionFromBitmap() const {
    // Read the pixels as 32-bit rows and add one rectangle per run of kept pixels.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size_.cx;
    info.bmiHeader.biHeight = -size_.cy;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(size_.cx) * size_.cy);
    fw::WindowDc screen(nullptr);
    if (!::GetDIBits(screen.Get(), bitmap_.Get(), 0, size_.cy, pixels.data(), &info, DIB_RGB_COLORS)) {
        return fw::RegionHandle(::CreateRectRgn(0, 0, size_.cx, size_.cy));
    }
    const DWORD cut = (GetRValue(options_.transparent) << 16) | (GetGValue(options_.transparent) << 8) |
                      GetBValue(options_.transparent);
    fw::RegionHandle region(::CreateRectRgn(0, 0, 0, 0));
    for (LONG y = 0; y < size_.cy; ++y) {
        const DWORD* row = &pixels[static_cast<size_t>(y) * size_.cx];
        LONG x = 0;
        while (x < size_.cx) {
            while (x < size_.cx && (row[x] & 0xFFFFFF) == cut) ++x;
            const LONG start = x;
            while (x < size_.cx && (row[x] & 0xFFFFFF) != cut) ++x;
            if (x > start) {
                fw::RegionHandle run(::CreateRectRgn(start, y, x, y + 1));
                ::CombineRgn(region.Get(), region.Get(), run.Get(), RGN_OR);
            }
        }
    }
    return region;
}

bool SplashWindow::Show(const SplashOptions& options) {
    Destroy();
    options_ = options;
    throttle_ = RepaintThrottle(options_.repaintIntervalMs);
    paintedText_.clear();
    textPaints_ = 0;
    if (!RegisterClass()) return false;
    bitmap_ = fw::LoadBitmapResource(options_.bitmapId);
    if (!bitmap_) return false;
    BITMAP info{};
    ::GetObjectA(bitmap_.Get(), sizeof(info), &info);
    size_ = {info.bmWidth, info.bmHeight};

    int dotsPerInch = 96;
    {
        fw::WindowDc screen(nullptr);
        if (screen.Get()) dotsPerInch = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    font_.Reset(::CreateFontA(-::MulDiv(options_.fontTenths, dotsPerInch, 720), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                              ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, options_.fontName));

    RECT around{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (options_.owner && !options_.centreOnScreen) ::GetWindowRect(options_.owner, &around);
    const int x = (around.left + around.right - size_.cx) / 2;
    const int y = (around.top + around.bottom - size_.cy) / 2;
    hwnd_ = ::CreateWindowExA(WS_EX_TOOLWINDOW | (options_.owner ? 0 : WS_EX_TOPMOST), kClassName, "", WS_POPUP, x, y,
                              size_.cx, size_.cy, options_.owner, nullptr, fw::ModuleInstance(), this);
    if (!hwnd_) {
        Destroy();
        return false;
    }
    // The window owns the region once it is set.
    fw::RegionHandle region = RegionFromBitmap();
    if (::SetWindowRgn(hwnd_, region.Get(), FALSE)) region.Release();

    const bool activate = options_.closeOnInput;
    if (SystemAnimatesWindows() && options_.fadeInMs > 0) {
        ::AnimateWindow(hwnd_, options_.fadeInMs, AW_BLEND | (activate ? AW_ACTIVATE : 0));
    }
    ::ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    ::UpdateWindow(hwnd_);
    if (activate) {
        // Keys reach the window that has the focus.
        ::SetForegroundWindow(hwnd_);
        ::SetFocus(hwnd_);
    }
    if (options_.displayMs > 0) ::SetTimer(hwnd_, kCloseTimer, options_.displayMs, nullptr);
    return true;
}

SplashWindow* SplashWindow::FromHandle(HWND window) {
    char name[64] = "";
    if (!window || !::GetClassNameA(window, name, sizeof(name)) || std::string_view(name) != kClassName) return nullptr;
    return reinterpret_cast<SplashWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SplashWindow::SetText(const std::string& text) {
    text_ = text;
    if (!hwnd_) return;
    if (options_.textAsWindowText) ::SetWindowTextA(hwnd_, text_.c_str());
    const DWORD now = ::GetTickCount();
    if (!throttle_.Changed(now)) return;
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    throttle_.Painted(now);
}

void SplashWindow::Hide() {
    if (!hwnd_) return;
    if (throttle_.Pending()) {  // the last status is seen before the window goes
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        throttle_.Painted(::GetTickCount());
    }
    if (SystemAnimatesWindows() && options_.fadeOutMs > 0) {
        ::AnimateWindow(hwnd_, options_.fadeOutMs, AW_BLEND | AW_HIDE);
    }
    ::ShowWindow(hwnd_, SW_HIDE);
    Destroy();
}

void SplashWindow::Destroy() {
    bitmap_.Reset();
    font_.Reset();
    // Last: an object that deletes itself is gone once its window is.
    if (hwnd_) {
        HWND window = hwnd_;
        hwnd_ = nullptr;
        ::DestroyWindow(window);
    }
}

void SplashWindow::Paint(HDC dc) {
    fw::MemoryDc source(::CreateCompatibleDC(dc));
    {
        fw::SelectGuard selectBitmap(source.Get(), bitmap_.Get());
        ::BitBlt(dc, 0, 0, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
    }
    paintedText_ = text_;
    if (text_.empty()) return;
    ++textPaints_;
    fw::SelectGuard selectFont(dc, font_ ? static_cast<HGDIOBJ>(font_.Get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, options_.textColour);
    RECT rect = options_.textRect;
    const UINT format = options_.multiline ? DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX
                                           : DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &rect, format);
}

LRESULT CALLBACK SplashWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        if (self && self->bitmap_) self->Paint(dc);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        // The fade draws the window through this message, not WM_PAINT.
        if (self && self->bitmap_) self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_TIMER:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        if (self && ((message == WM_TIMER && wParam == kCloseTimer) ||
                     (message != WM_TIMER && self->options_.closeOnInput))) {
            self->Hide();  // may delete self: nothing of it is touched after
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self) {
            self->hwnd_ = nullptr;
            if (self->options_.deleteWhenClosed) delete self;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace widgets
