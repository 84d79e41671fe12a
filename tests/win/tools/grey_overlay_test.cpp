#include "tools/grey_overlay.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr COLORREF kColour = RGB(200, 40, 100);
constexpr COLORREF kFaded = RGB(48, 40, 43);  // frame 19: (200 + 40 * 19) / 20 and (100 + 760) / 20

COLORREF Pixel(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

// Over a window of the test's own, painted in one known colour.
class GreyOverlay : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hbrBackground = brush;
        windowClass.lpszClassName = "Target";
        ::RegisterClassA(&windowClass);
        target = ::CreateWindowExA(0, "Target", "Cleaning", WS_POPUP | WS_VISIBLE, 40, 50, 200, 120, nullptr, nullptr,
                                   nullptr, nullptr);
        ::UpdateWindow(target);
    }
    void TearDown() override {
        ::DestroyWindow(target);
        ::UnregisterClassA("Target", nullptr);
        ::DeleteObject(brush);
    }
    HBRUSH brush = ::CreateSolidBrush(kColour);
    HWND target = nullptr;
    ovix::GreyOverlay overlay;
};

TEST_F(GreyOverlay, CoversTheWindowWithItsLastFrameUntilClicked) {
    EXPECT_FALSE(overlay.Show(nullptr));
    ASSERT_TRUE(overlay.Show(target));
    HWND cover = overlay.Hwnd();
    RECT covered{}, window{};
    ::GetWindowRect(cover, &covered);
    ::GetWindowRect(target, &window);
    EXPECT_TRUE(::EqualRect(&covered, &window) && ::IsWindowVisible(cover));
    EXPECT_EQ(::GetWindow(cover, GW_OWNER), target);
    char title[32] = "";
    ::GetWindowTextA(cover, title, sizeof(title));
    EXPECT_STREQ(title, "Cleaning");
    EXPECT_EQ(Pixel(cover, 100, 60), kFaded) << "the frames painted at once";
    ::RedrawWindow(cover, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Pixel(cover, 199, 119), kFaded) << "repainted from its picture";

    ::SendMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(::IsWindow(cover));
    EXPECT_EQ(overlay.Hwnd(), nullptr);
    overlay.Close();  // nothing left to close
    ASSERT_TRUE(overlay.Show(target));
    cover = overlay.Hwnd();
    overlay.Close();
    EXPECT_FALSE(::IsWindow(cover));
}

TEST_F(GreyOverlay, CoversOnlyWhatIsOnTheScreen) {
    ::SetWindowPos(target, nullptr, -50, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(overlay.Show(target));
    RECT covered{};
    ::GetWindowRect(overlay.Hwnd(), &covered);
    EXPECT_EQ(std::make_pair(covered.left, covered.right), std::make_pair(0L, 150L));
    ::SetWindowPos(target, nullptr, -500, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_FALSE(overlay.Show(target)) << "nothing of it on the screen";
    EXPECT_EQ(overlay.Hwnd(), nullptr);
}

}  // namespace
