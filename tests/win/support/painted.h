// Pixels a drawing routine paints, read back from a memory bitmap.
#pragma once

#include "framework/win.h"

#include <vector>

namespace test {

// What draw() paints into a black memory bitmap of the size given, row by
// row; nothing when it says it drew nothing.
template <class Draw>
std::vector<COLORREF> Painted(int width, int height, Draw draw) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    std::vector<COLORREF> pixels;
    if (draw(dc)) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(::GetPixel(dc, x, y));
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

}  // namespace test
