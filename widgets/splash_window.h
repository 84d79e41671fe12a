// A window without caption shaped from a bitmap (one colour cut out), with
// white text on it. The start-up splash: top-most, centred on the screen, one
// centred line, gone when told. The computer summary: owned by the main
// window and centred on it, several lines, closed by the first key or mouse
// button or at the end of its time, and deleting itself then.
#pragma once

#include "framework/handles.h"
#include "widgets/repaint_throttle.h"

#include <string>

namespace widgets {

struct SplashOptions {
    UINT bitmapId = 0;
    COLORREF transparent = RGB(255, 0, 0);
    RECT textRect{25, 22, 105, 40};  // in bitmap pixels
    const char* fontName = "Tahoma";
    int fontTenths = 83;  // tenths of a point: 11 pixels at 96 dots per inch
    bool multiline = false;  // lines from the top left, else one centred line
    DWORD fadeInMs = 500;
    DWORD fadeOutMs = 200;
    HWND owner = nullptr;  // centred on it; without one, top-most on the screen
    DWORD displayMs = 0;   // then it closes itself; 0: until told
    // It takes the focus, and the first key or mouse button closes it.
    bool closeOnInput = false;
    // Its text is also its window text (read by tests and screen readers).
    bool textAsWindowText = false;
    // Made with new: the object deletes itself once its window is gone.
    bool deleteWhenClosed = false;
    COLORREF textColour = RGB(255, 255, 255);
    // With an owner: centred on the screen all the same.
    bool centreOnScreen = false;
    // A text set sooner than this after the last repaint waits for the next
    // one (or for Hide, which always paints the last text); 0: every change.
    DWORD repaintIntervalMs = 0;
};

class SplashWindow {
public:
    static constexpr const char* kClassName = "SplashScreenExClass";

    SplashWindow() = default;
    ~SplashWindow() { Destroy(); }
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Creates and shows the window (fading in where the system animates
    // windows). False, and nothing shown, when it cannot be made; an object
    // that deletes itself is then still the caller's.
    bool Show(const SplashOptions& options);
    // Changes the text and repaints at once (within the repaint interval:
    // at the next change or at Hide).
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    // What the last repaint drew, and how many repaints drew a text.
    const std::string& PaintedText() const { return paintedText_; }
    int TextPaints() const { return textPaints_; }
    // Hides (fading out where the system animates windows) and destroys: the
    // object is gone afterwards when it deletes itself.
    void Hide();
    void Destroy();

    HWND Hwnd() const { return hwnd_; }
    // The object behind a window of this class; null for any other window.
    static SplashWindow* FromHandle(HWND window);

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
    std::string paintedText_;
    int textPaints_ = 0;
    RepaintThrottle throttle_;
};

bool SystemAnimatesWindows();

}  // namespace widgets
