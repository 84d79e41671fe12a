#include "framework/handles.h"
#include "framework/owner_draw.h"
#include "framework/resources.h"
#include "resources/resource_ids.h"
#include "support/painted.h"
#include "widgets/gradient_gauge.h"
#include "widgets/group_box.h"
#include "widgets/icon_button.h"
#include "widgets/splash_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(Splash, ShapedTopMostToolWindowThatPrintsItsBitmap) {
    const long gdiBefore = fw::LiveCount(fw::ResourceKind::Gdi);
    {
        widgets::SplashWindow splash;
        widgets::SplashOptions options;
        options.bitmapId = IDB_SPLASH;
        ASSERT_TRUE(splash.Show(options));
        HWND window = splash.Hwnd();
        char className[64] = "";
        ::GetClassNameA(window, className, sizeof(className));
        EXPECT_STREQ(className, "SplashScreenExClass");
        const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
        EXPECT_TRUE((exStyle & WS_EX_TOPMOST) && (exStyle & WS_EX_TOOLWINDOW));
        EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION);
        EXPECT_TRUE(::IsWindowVisible(window));

        // The red corners are cut out of the window.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(window, region), COMPLEXREGION);
        EXPECT_FALSE(::PtInRegion(region, 0, 0)) << "corner is transparent";
        EXPECT_TRUE(::PtInRegion(region, 65, 30)) << "the middle is kept";
        ::DeleteObject(region);

        // The fade paints through WM_PRINTCLIENT: without it, a blank shape fades in.
        RECT client{};
        ::GetClientRect(window, &client);
        const auto printed = test::Painted(client.right, client.bottom, [&](HDC dc) {
            return ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT) == 0;
        });
        fw::BitmapHandle bitmap = fw::LoadBitmapResource(IDB_SPLASH);
        const auto drawn = test::Painted(client.right, client.bottom, [&](HDC dc) {
            HDC source = ::CreateCompatibleDC(dc);
            HGDIOBJ old = ::SelectObject(source, bitmap.Get());
            ::BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
            ::SelectObject(source, old);
            return ::DeleteDC(source);
        });
        EXPECT_EQ(printed, drawn);

        EXPECT_EQ(splash.Text(), "");
        splash.SetText("Checking...");
        EXPECT_EQ(splash.Text(), "Checking...");
        splash.Hide();
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(splash.Hwnd(), nullptr);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdiBefore);
}

TEST(Splash, ShownAgainReusesItsClassAndAMissingBitmapShowsNothing) {
    for (UINT bitmap : {UINT(IDB_SPLASH), UINT(IDB_SPLASH), 9999u}) {
        widgets::SplashWindow splash;
        widgets::SplashOptions options;
        options.bitmapId = bitmap;
        EXPECT_EQ(splash.Show(options), bitmap != 9999u) << bitmap;
        EXPECT_EQ(splash.Hwnd() != nullptr, bitmap != 9999u);
    }
}

class GaugeTest : public testing::Test {
protected:
    void SetUp() override {
        bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP | WS_VISIBLE, 0, 0, 170, 14, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(bar, nullptr);
        ASSERT_TRUE(gauge.Attach(bar, RGB(230, 230, 250), RGB(255, 0, 0)));
        gauge.SetRange(0, 100);
    }
    void TearDown() override {
        if (::IsWindow(bar)) ::DestroyWindow(bar);
    }

    COLORREF PixelAt(int x, int y) {
        ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = ::GetDC(bar);
        const COLORREF colour = ::GetPixel(dc, x, y);
        ::ReleaseDC(bar, dc);
        return colour;
    }

    HWND bar = nullptr;
    widgets::GradientGauge gauge;
};

TEST_F(GaugeTest, GradientToTheValueAndItsTextUntilTheBarGoes) {
    gauge.SetPos(150);  // the bar clamps as a progress bar does
    EXPECT_EQ(gauge.Text(), "100%");
    const COLORREF left = PixelAt(1, 1);
    const COLORREF right = PixelAt(168, 1);
    EXPECT_NEAR(GetRValue(left), 230, 3);
    EXPECT_NEAR(GetBValue(left), 250, 3);
    EXPECT_NEAR(GetRValue(right), 255, 3);
    EXPECT_LT(GetGValue(right) + GetBValue(right), 20);
    gauge.SetPos(10);
    EXPECT_EQ(gauge.Text(), "10%");
    EXPECT_EQ(PixelAt(160, 1), ::GetSysColor(COLOR_WINDOW)) << "beyond the value: window colour";

    ::DestroyWindow(bar);
    EXPECT_EQ(gauge.Hwnd(), nullptr);
    gauge.SetPos(5);  // harmless once detached
    EXPECT_EQ(gauge.Pos(), 0);
}

// What the drawing object paints for the button in the given state.
std::vector<COLORREF> Rendered(HWND button, UINT state) {
    return test::Painted(80, 24, [&](HDC dc) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button;
        item.hDC = dc;
        item.rcItem = {0, 0, 80, 24};
        item.itemState = state;
        return fw::DrawOwnerDrawn(&item);
    });
}

TEST(IconButton, DrawsIconAndTextInEveryStateAndOwnsOneIcon) {
    HWND button = ::CreateWindowExA(0, "BUTTON", "Autorun", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr,
                                    nullptr, nullptr, nullptr);
    HWND plain = ::CreateWindowExA(0, "BUTTON", "Autorun", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr,
                                   nullptr, nullptr, nullptr);
    const long before = fw::LiveCount(fw::ResourceKind::Icon);
    {
        widgets::IconButton icon;
        ASSERT_TRUE(icon.SetIcon(button, IDI_OVIX));
        // Drawn by the object, whatever the common controls' version.
        EXPECT_EQ(::GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        const auto normal = Rendered(button, 0);
        ASSERT_FALSE(normal.empty());
        for (UINT state : {UINT(ODS_SELECTED), UINT(ODS_DISABLED), UINT(ODS_FOCUS)}) {
            EXPECT_NE(Rendered(button, state), normal) << "state " << state;
        }
        // The same button without an icon looks different: the icon is drawn.
        widgets::IconButton textOnly;
        fw::SetOwnerDrawn(plain, &textOnly);
        EXPECT_NE(Rendered(plain, 0), normal);
        fw::SetOwnerDrawn(plain, nullptr);

        ASSERT_TRUE(icon.SetIcon(button, IDI_AUTORUN_ON));
        EXPECT_EQ(icon.IconId(), static_cast<UINT>(IDI_AUTORUN_ON));
        EXPECT_NE(Rendered(button, 0), normal);
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Icon), before + 1);
        EXPECT_FALSE(icon.SetIcon(button, 9999)) << "a missing icon keeps the old one";
        EXPECT_EQ(icon.IconId(), static_cast<UINT>(IDI_AUTORUN_ON));
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Icon), before);
    EXPECT_TRUE(Rendered(button, 0).empty()) << "the button no longer names a drawer that is gone";
    ::DestroyWindow(button);
    ::DestroyWindow(plain);
}

TEST(GroupBox, CaptionInItsColourOverAFrameBrokenUnderItUntilDetached) {
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi);
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 240, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND box = ::CreateWindowExA(0, "BUTTON", "Selection", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 240, 100,
                                 parent, nullptr, nullptr, nullptr);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrA(box, GWLP_WNDPROC);
    const COLORREF ink = RGB(72, 61, 139), paper = RGB(255, 250, 250), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    widgets::GroupBox group;
    ASSERT_TRUE(group.Attach(box, "Comic Sans MS", 22, true, ink, paper));
    ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto shown = test::Painted(240, 100, [&](HDC dc) {
        HDC boxDc = ::GetDC(box);
        const BOOL copied = ::BitBlt(dc, 0, 0, 240, 100, boxDc, 0, 0, SRCCOPY);
        return ::ReleaseDC(box, boxDc) && copied;
    });
    const auto at = [&](int x, int y) { return shown.at(static_cast<size_t>(y) * 240 + x); };
    EXPECT_GT(std::count(shown.begin(), shown.begin() + 22 * 240, ink), 100) << "the caption's strokes";
    // A 22-pixel band: the top edge at its middle, broken from x 6 to past the caption.
    const std::vector<COLORREF> edge{at(3, 2), at(3, 11), at(7, 11), at(230, 11), at(0, 60), at(239, 99)};
    EXPECT_EQ(edge, (std::vector<COLORREF>{paper, shadow, paper, shadow, shadow, ::GetSysColor(COLOR_BTNHIGHLIGHT)}));

    group.Detach();
    EXPECT_EQ(::GetWindowLongPtrA(box, GWLP_WNDPROC), ownProcedure);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    ASSERT_TRUE(group.Attach(box, "Comic Sans MS", 22, true, ink, paper));
    ::DestroyWindow(parent);
    EXPECT_EQ(group.Hwnd(), nullptr) << "let go with the box";
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
}

}  // namespace
