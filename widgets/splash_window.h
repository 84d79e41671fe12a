// The start-up splash: a top-most tool window without caption, shaped from a
// bitmap (one colour cut out), with one centred line of white text.
#pragma once

#include "framework/handles.h"

#include <string>

namespace widgets {

struct SplashOptions {
    UINT bitmapId = 0;
    COLORREF transparent = RGB(255, 0, 0);
    RECT textRect{25, 22, 105, 40};  // in bitmap pixels
    const char* fontName = "Tahoma";
    DWORD fadeInMs = 500;
    DWORD fadeOutMs = 200;
};

class SplashWindow {
public:
    static constexpr const char* kClassName = "SplashScreenExClass";

    SplashWindow() = default;
    ~SplashWindow() { Destroy(); }
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Creates and shows the splash centred on the screen (fading in where the
    // system animates windows).
    bool Show(const SplashOptions& options);
    // Changes the text and repaints at once.
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    // Hides (fading out where the system animates windows) and destroys.
    void Hide();
    void Destroy();

    HWND Hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClass();
    void Paint(HDC dc);
    fw::RegionHandle RegionFromBitmap() const;

    SplashOptions options_;
    HWND hwnd_ = nullptr;
    fw::BitmapHandle bitmap_;
    fw::FontHandle font_;
    SIZE size_{};
    std::string text_;
};

bool SystemAnimatesWindows();

}  // namespace widgets
