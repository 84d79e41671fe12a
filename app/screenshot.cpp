#include "app/screenshot.h"

#include "app/bitmap_file.h"
#include "app/common_dialogs.h"
#include "app/message_boxes.h"
#include "framework/clipboard.h"
#include "framework/handles.h"

#include <vector>

namespace ovix {
namespace {

fw::BitmapHandle CaptureWindow(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return {};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const fw::WindowDc windowDc(window, true);
    if (!windowDc.Get()) return {};
    const fw::MemoryDc memory(::CreateCompatibleDC(windowDc.Get()));
    fw::BitmapHandle shot(::CreateCompatibleBitmap(windowDc.Get(), width, height));
    if (!memory || !shot) return {};
    // Selected out again before anyone reads the bits.
    const fw::SelectGuard select(memory.Get(), shot.Get());
    if (!::BitBlt(memory.Get(), 0, 0, width, height, windowDc.Get(), 0, 0, SRCCOPY)) return {};
    return shot;
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool WriteBitmapFile(HBITMAP bitmap, const std::string& path) {
    BITMAP shape{};
    if (!::GetObjectA(bitmap, sizeof(shape), &shape)) return false;
    const uint32_t imageSize = Dib24ImageSize(shape.bmWidth, shape.bmHeight);
    if (imageSize == 0) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = shape.bmWidth;
    header.biHeight = shape.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;
    std::vector<BYTE> pixels(imageSize);
    {
        const fw::WindowDc screen(nullptr);
        BITMAPINFOHEADER asked = header;  // the call may rewrite it
        if (!screen.Get() || ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(),
                                         reinterpret_cast<BITMAPINFO*>(&asked), DIB_RGB_COLORS) != shape.bmHeight) {
            return false;
        }
    }
    fw::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const auto fileHeader = BitmapFileHeader(imageSize);
    bool written = WriteAll(file.Get(), fileHeader.data(), static_cast<DWORD>(fileHeader.size())) &&
                   WriteAll(file.Get(), &header, sizeof(header)) &&
                   WriteAll(file.Get(), pixels.data(), imageSize);
    written = ::CloseHandle(file.Release()) && written;
    if (!written) ::DeleteFileA(path.c_str());
    return written;
}

ScreenshotResult TakeScreenshot(HWND window) {
    fw::BitmapHandle shot = CaptureWindow(window);
    if (shot) {
        // The clipboard gets a copy of its own: it owns (and may delete) what it is given.
        fw::SetClipboardBitmap(window, fw::BitmapHandle(static_cast<HBITMAP>(
                                           ::CopyImage(shot.Get(), IMAGE_BITMAP, 0, 0, 0))));
    }
    ::ShowWindow(window, SW_HIDE);
    const auto chosen =
        CurrentCommonDialogs().SaveFile({.owner = nullptr, .filter = "*.bmp|*.bmp", .defaultExtension = "",
                                         .title = "Save screen shot as...", .initialName = ""});
    ScreenshotResult result = ScreenshotResult::Cancelled;
    if (chosen) {
        result = shot && WriteBitmapFile(shot.Get(), ScreenshotFileName(*chosen)) ? ScreenshotResult::Saved
                                                                                  : ScreenshotResult::Failed;
    }
    shot.Reset();
    ::ShowWindow(window, SW_SHOW);
    fw::ClearClipboard(window);
    if (result == ScreenshotResult::Failed) {
        ShowError(window, "An error has occurred, impossible to save the screen shot.");
    }
    return result;
}

}  // namespace ovix
