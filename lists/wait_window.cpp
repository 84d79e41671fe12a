#include "lists/wait_window.h"

#include "resources/resource_ids.h"

namespace ovix {

widgets::SplashOptions WaitOptions(HWND owner, WaitStyle style) {
    widgets::SplashOptions options;
    options.bitmapId = IDB_WAIT;
    options.textRect = {15, 13, 135, 26};
    options.fontTenths = style == WaitStyle::Packages ? 83 : 80;
    options.textColour = RGB(255, 250, 255);
    options.fadeInMs = 100;
    options.fadeOutMs = 200;
    options.owner = owner;
    options.centreOnScreen = style != WaitStyle::Statistics;
    options.repaintIntervalMs = 50;
    return options;
}

WaitWindow::WaitWindow(HWND owner, WaitStyle style) {
    splash_.Show(WaitOptions(owner, style));
    if (style == WaitStyle::Packages) ::Sleep(5);
    if (style != WaitStyle::Files) splash_.SetText("Checking...");
}

}  // namespace ovix
