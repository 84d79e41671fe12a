// The wait window of the slow lists: the splash widget on the wait bitmap,
// owned by the list dialog, the status drawn near-white in one centred line,
// repainted at most once per 50 ms (the last status always before it goes).
#pragma once

#include "widgets/splash_window.h"

#include <string>

namespace ovix {

enum class WaitStyle {
    Packages,    // 8.3 points, centred on the screen, "Checking..." after a 5 ms pause
    Files,       // 8.0 points, centred on the screen, empty until the first status
    Statistics,  // 8.0 points, centred on the list dialog, "Checking..." at once
};

widgets::SplashOptions WaitOptions(HWND owner, WaitStyle style);

// Shown while the object lives.
class WaitWindow {
public:
    WaitWindow(HWND owner, WaitStyle style);
    ~WaitWindow() { splash_.Hide(); }
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;

    void SetStatus(const std::string& text) { splash_.SetText(text); }
    const widgets::SplashWindow& Splash() const { return splash_; }

private:
    widgets::SplashWindow splash_;
};

}  // namespace ovix
