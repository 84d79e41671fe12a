#include "tools/grey_overlay.h"

#include "framework/dialog.h"
#include "framework/resources.h"
#include "tools/grey_blend.h"

#include <span>
#include <string>
#include <vector>

namespace ovix {

bool GreyOverlay::RegisterClass() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(fw::ModuleInstance(), kClassName, &existing)) return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &GreyOverlay::Procedure;
    windowClass.hInstance = fw::ModuleInstance();
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_WAIT);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExA(&windowClass) != 0;
}

bool GreyOverlay::Show(HWND over) {
    Close();
    if (!over || !::IsWindow(over) || !RegisterClass()) return false;
    RECT area{};
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (!::GetWindowRect(over, &area) || !::IntersectRect(&area, &area, &screen)) return false;
    const SIZE size{area.right - area.left, area.bottom - area.top};
    const size_t count = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);

    // The photograph comes first: taken once the cover is up, it would show the cover.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    fw::BitmapHandle picture;
    {
        fw::WindowDc screenDc(nullptr);
        picture.Reset(::CreateDIBSection(screenDc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!picture || !bits) return false;
        fw::MemoryDc memory(::CreateCompatibleDC(screenDc.Get()));
        if (!memory) return false;
        fw::SelectGuard select(memory.Get(), picture.Get());
        if (!::BitBlt(memory.Get(), 0, 0, size.cx, size.cy, screenDc.Get(), area.left, area.top,
                      SRCCOPY | CAPTUREBLT)) {
            return false;
        }
    }
    ::GdiFlush();  // the copy is in the bits before they are read
    const std::span<uint32_t> pixels(static_cast<uint32_t*>(bits), count);
    const std::vector<uint32_t> original(pixels.begin(), pixels.end());

    const std::string title = fw::WindowText(over);
    HWND window = ::CreateWindowExA(0, kClassName, title.c_str(), WS_POPUP, area.left, area.top, size.cx, size.cy,
                                    over, nullptr, fw::ModuleInstance(), this);
    if (!window) return false;
    hwnd_ = window;
    picture_ = std::move(picture);
    size_ = size;
    ::ShowWindow(hwnd_, SW_SHOW);

    // The fade, painted straight onto the window with no pause: the thread is
    // about to be busy and would not see a timer. The picture ends as the last
    // frame, which WM_PAINT shows from then on.
    fw::WindowDc windowDc(hwnd_);
    fw::MemoryDc memory(::CreateCompatibleDC(windowDc.Get()));
    if (!memory) return true;
    fw::SelectGuard select(memory.Get(), picture_.Get());
    for (int frame = 0; frame < kGreyFrames; ++frame) {
        ::GdiFlush();
        BlendGreyFrame(original, pixels, frame);
        ::BitBlt(windowDc.Get(), 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    return true;
}

void GreyOverlay::Close() {
    // WM_NCDESTROY forgets the window and its picture.
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void GreyOverlay::Paint(HDC dc) const {
    if (!picture_) return;
    fw::MemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    fw::SelectGuard select(memory.Get(), picture_.Get());
    ::BitBlt(dc, 0, 0, size_.cx, size_.cy, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK GreyOverlay::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<GreyOverlay*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        if (self) self->Paint(dc);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (self) self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        ::DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        // Gone by a click, by Close() or with its owner: the object notices.
        if (self) {
            self->hwnd_ = nullptr;
            self->picture_.Reset();
        }
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace ovix
