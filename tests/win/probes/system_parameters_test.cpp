// System parameters set for the session only (never written to the user's
// profile) and put back; screen capabilities compared with the device's own.
#include "probes/system_probes.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

// Sets one parameter for the session and restores the old one at the end.
class SessionParameter {
public:
    SessionParameter(UINT get, UINT set) : set_(set) { ok_ = ::SystemParametersInfoA(get, 0, &old_, 0) != 0; }
    ~SessionParameter() {
        if (ok_) Set(old_);
    }
    bool Set(int value) { return ::SystemParametersInfoA(set_, static_cast<UINT>(value), nullptr, 0) != 0; }
    bool Read() const { return ok_; }

private:
    UINT set_;
    int old_ = 0;
    bool ok_ = false;
};

class SessionMouse {
public:
    SessionMouse() { ok_ = ::SystemParametersInfoA(SPI_GETMOUSE, 0, old_, 0) != 0; }
    ~SessionMouse() {
        if (ok_) ::SystemParametersInfoA(SPI_SETMOUSE, 0, old_, 0);
    }
    bool Set(int first, int second, int acceleration) {
        int values[3] = {first, second, acceleration};
        return ::SystemParametersInfoA(SPI_SETMOUSE, 0, values, 0) != 0;
    }
    bool Read() const { return ok_; }

private:
    int old_[3] = {0, 0, 0};
    bool ok_ = false;
};

TEST(ProbeSystemParameters, SingleSettingsBecomeTheirLines) {
    SessionParameter delay(SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY);
    ASSERT_TRUE(delay.Read());
    ASSERT_TRUE(delay.Set(123));
    EXPECT_EQ(MenuShowDelay(), "Menu show delay: 123 ms");
    ASSERT_TRUE(delay.Set(0));
    EXPECT_EQ(MenuShowDelay(), "Menu show delay: 0 ms");

    SessionParameter wrap(SPI_GETICONTITLEWRAP, SPI_SETICONTITLEWRAP);
    ASSERT_TRUE(wrap.Read());
    ASSERT_TRUE(wrap.Set(0));
    EXPECT_EQ(IconTitleWrap(), "Icon-title wrapping : no");
    ASSERT_TRUE(wrap.Set(1));
    EXPECT_EQ(IconTitleWrap(), "Icon-title wrapping : yes");

    SessionParameter smoothing(SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING);
    ASSERT_TRUE(smoothing.Read());
    ASSERT_TRUE(smoothing.Set(1));
    EXPECT_EQ(FontSmoothing(), "Font smoothing: yes");
    ASSERT_TRUE(smoothing.Set(0));
    EXPECT_EQ(FontSmoothing(), "Font smoothing: no");

    SessionParameter keyboard(SPI_GETKEYBOARDDELAY, SPI_SETKEYBOARDDELAY);
    ASSERT_TRUE(keyboard.Read());
    ASSERT_TRUE(keyboard.Set(3));
    EXPECT_EQ(KeyboardDelay(), "Repeat delay: 3");
}

TEST(ProbeSystemParameters, MouseThresholdsAndAccelerationFromOneCall) {
    SessionMouse mouse;
    ASSERT_TRUE(mouse.Read());
    ASSERT_TRUE(mouse.Set(3, 7, 2));
    EXPECT_EQ(MouseThreshold(), "Threshold (x,y): 3,7");
    EXPECT_EQ(MouseSpeed(), "Speed: 2");
    ASSERT_TRUE(mouse.Set(0, 0, 0));
    EXPECT_EQ(MouseThreshold(), "Threshold (x,y): 0,0");
    EXPECT_EQ(MouseSpeed(), "Speed: 0");
}

TEST(ProbeSystemParameters, MetricsNamedByTheirTables) {
    EXPECT_EQ(KeyboardType(), KeyboardTypeName(::GetKeyboardType(0)));
    // Wine (and any common PC) reports the enhanced keyboard.
    EXPECT_EQ(KeyboardType(), "IBM enhanced [101/102-key]");
    EXPECT_EQ(BootMode(), "System start: Normal boot");
    EXPECT_EQ(MouseWheel(), ::GetSystemMetrics(SM_MOUSEWHEELPRESENT) ? "Wheel present." : "No wheel.");
}

int DesktopCaps(int index) {
    const HWND desktop = ::GetDesktopWindow();
    const HDC dc = ::GetWindowDC(desktop);
    const int value = ::GetDeviceCaps(dc, index);
    ::ReleaseDC(desktop, dc);
    return value;
}

class ProbeDisplayCaps : public testing::Test {
protected:
    void SetUp() override { dcsBefore_ = fw::LiveCount(fw::ResourceKind::DeviceContext); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::DeviceContext), dcsBefore_); }
    long dcsBefore_ = 0;
};

// The texts and their order are checked on the host against the tables; here
// each list must hold one line per row, said by the screen's own bits.
TEST_F(ProbeDisplayCaps, ListsFollowTheScreensBits) {
    struct List {
        void (*probe)(std::vector<std::string>&);
        int index;
        std::span<const CapabilityBit> table;
        size_t count;
    };
    const List lists[] = {{RasterCapsList, RASTERCAPS, kRasterCapBits, 5},
                          {LineCapsList, LINECAPS, kLineCapBits, 7},
                          {TextCapsList, TEXTCAPS, kTextCapBits, 11},
                          {PolygonCapsList, POLYGONALCAPS, kPolygonCapBits, 7},
                          {CurveCapsList, CURVECAPS, kCurveCapBits, 9}};
    for (const List& list : lists) {
        std::vector<std::string> lines{"before"};
        list.probe(lines);
        ASSERT_EQ(lines.size(), list.count + 1) << list.index;
        EXPECT_EQ(lines[0], "before");  // appended, never replaced
        const int caps = DesktopCaps(list.index);
        for (size_t i = 0; i < list.count; ++i) {
            const CapabilityBit& row = list.table[i];
            const bool yes = ((caps & row.bit) != 0) != row.inverted;
            EXPECT_EQ(lines[i + 1], std::string(row.text) + (yes ? ": yes" : ": no")) << list.index;
        }
    }
    // The one inverted line: "no" exactly when the device sets the bit.
    std::vector<std::string> text;
    TextCapsList(text);
    EXPECT_EQ(text.back(), (DesktopCaps(TEXTCAPS) & TC_SCROLLBLT) ? "Scroll using a bit-block transfer: no"
                                                                  : "Scroll using a bit-block transfer: yes");
}

TEST_F(ProbeDisplayCaps, RasterTechnologyOfTheScreen) {
    EXPECT_EQ(RasterTechnology(),
              DesktopCaps(TECHNOLOGY) == DT_RASDISPLAY ? "Raster technology: yes" : "Raster technology: no");
    // The screen is a raster display, here as anywhere.
    EXPECT_EQ(RasterTechnology(), "Raster technology: yes");
}

TEST_F(ProbeDisplayCaps, RepeatedCallsReleaseTheirDc) {
    const long before = fw::LiveCount(fw::ResourceKind::DeviceContext);
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) {
        lines.clear();
        TextCapsList(lines);
        CurveCapsList(lines);
        ASSERT_EQ(lines.size(), 20u);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::DeviceContext), before);
    // Released to the system too: the desktop DC can still be had.
    const HDC dc = ::GetWindowDC(::GetDesktopWindow());
    EXPECT_NE(dc, nullptr);
    ::ReleaseDC(::GetDesktopWindow(), dc);
}

}  // namespace
