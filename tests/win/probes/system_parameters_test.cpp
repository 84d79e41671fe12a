// System parameters set for the session only (never written to the user's
// profile) and put back; screen capabilities of the desktop's own DC.
#include "probes/system_probes.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

// Sets one parameter for the session and restores the old one at the end.
class SessionParameter {
public:
    SessionParameter(UINT get, UINT set, void* old) : set_(set), old_(old) {
        ok_ = ::SystemParametersInfoA(get, 0, old_, 0) != 0;
    }
    ~SessionParameter() {
        if (ok_) ::SystemParametersInfoA(set_, set_ == SPI_SETMOUSE ? 0 : *static_cast<UINT*>(old_), old_, 0);
    }
    bool Set(UINT value, void* data = nullptr) { return ok_ && ::SystemParametersInfoA(set_, value, data, 0) != 0; }

private:
    UINT set_;
    void* old_;
    bool ok_ = false;
};

TEST(ProbeSystemParameters, SessionSettingsBecomeTheirLines) {
    int oldDelay = 0, oldWrap = 0, oldSmoothing = 0, oldKeyboard = 0, oldMouse[3] = {};
    SessionParameter delay(SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY, &oldDelay);
    SessionParameter wrap(SPI_GETICONTITLEWRAP, SPI_SETICONTITLEWRAP, &oldWrap);
    SessionParameter smoothing(SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING, &oldSmoothing);
    SessionParameter keyboard(SPI_GETKEYBOARDDELAY, SPI_SETKEYBOARDDELAY, &oldKeyboard);
    SessionParameter mouse(SPI_GETMOUSE, SPI_SETMOUSE, oldMouse);
    int mouseValues[3] = {3, 7, 2};
    ASSERT_TRUE(delay.Set(123) && wrap.Set(0) && smoothing.Set(1) && keyboard.Set(3) && mouse.Set(0, mouseValues));
    EXPECT_EQ(MenuShowDelay(), "Menu show delay: 123 ms");
    EXPECT_EQ(IconTitleWrap(), "Icon-title wrapping : no");
    EXPECT_EQ(FontSmoothing(), "Font smoothing: yes");
    EXPECT_EQ(KeyboardDelay(), "Repeat delay: 3");
    EXPECT_EQ(MouseThreshold(), "Threshold (x,y): 3,7");
    EXPECT_EQ(MouseSpeed(), "Speed: 2");
    ASSERT_TRUE(wrap.Set(1) && smoothing.Set(0));
    EXPECT_EQ(IconTitleWrap(), "Icon-title wrapping : yes");
    EXPECT_EQ(FontSmoothing(), "Font smoothing: no");
}

TEST(ProbeDisplayCaps, ListsAppendTheirLinesAndReleaseTheDc) {
    const long dcs = fw::LiveCount(fw::ResourceKind::DeviceContext);
    EXPECT_EQ(RasterTechnology(), "Raster technology: yes");  // the screen is a raster display
    void (*const probes[])(std::vector<std::string>&) = {RasterCapsList, LineCapsList, TextCapsList,
                                                          PolygonCapsList, CurveCapsList};
    std::vector<std::string> lines{"before"};
    for (int i = 0; i < 100; ++i) {
        lines.resize(1);
        for (auto probe : probes) probe(lines);
    }
    EXPECT_EQ(lines.size(), 1u + 5 + 7 + 11 + 7 + 9);
    EXPECT_EQ(lines[0], "before");  // appended, never replaced
    // The inverted line says "no" exactly when the screen sets its bit.
    const HDC dc = ::GetWindowDC(::GetDesktopWindow());
    ASSERT_NE(dc, nullptr);  // released to the system too
    const bool cannotScroll = (::GetDeviceCaps(dc, TEXTCAPS) & TC_SCROLLBLT) != 0;
    const bool circles = (::GetDeviceCaps(dc, CURVECAPS) & CC_CIRCLES) != 0;
    ::ReleaseDC(::GetDesktopWindow(), dc);
    EXPECT_EQ(lines[1 + 5 + 7 + 10], cannotScroll ? "Scroll using a bit-block transfer: no"
                                                  : "Scroll using a bit-block transfer: yes");
    EXPECT_EQ(lines[1 + 5 + 7 + 11 + 7 + 1], circles ? "Draw circles: yes" : "Draw circles: no");
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::DeviceContext), dcs);
}

}  // namespace
