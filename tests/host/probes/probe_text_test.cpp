#include "probes/probe_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

void ExpectSplit(std::string_view full, const char* keyPath, const char* valueName) {
    const RegistryPath path = SplitRegistryPath(full);
    EXPECT_EQ(path.keyPath, keyPath) << full;
    EXPECT_EQ(path.valueName, valueName) << full;
}

TEST(SplitRegistryPath, AtTheLastBackslash) {
    ExpectSplit("HARDWARE\\DESCRIPTION\\System\\SystemBiosDate", "HARDWARE\\DESCRIPTION\\System", "SystemBiosDate");
    ExpectSplit("Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size", "Control Panel\\Desktop\\WindowMetrics",
                "Shell Icon Size");
    ExpectSplit("Key\\Value", "Key", "Value");
}

TEST(SplitRegistryPath, BackslashesAtTheEndsAreDropped) {
    ExpectSplit("\\\\Software\\Test\\v", "Software\\Test", "v");
    ExpectSplit("Software\\Test\\\\\\v", "Software\\Test", "v");
    // A trailing backslash leaves the key's unnamed value.
    ExpectSplit("Software\\Test\\", "Software\\Test", "");
    ExpectSplit("\\Software\\\\", "Software", "");
}

TEST(SplitRegistryPath, WithoutBackslashTheWholeTextIsTheValueName) {
    ExpectSplit("ProgramCount", "", "ProgramCount");
    ExpectSplit("\\\\ProgramCount", "", "ProgramCount");
    ExpectSplit("", "", "");
    ExpectSplit("\\\\\\", "", "");
    ExpectSplit("Value name with blanks", "", "Value name with blanks");
}

TEST(TextUpToNul, StopsAtTheFirstNulOrTheEnd) {
    EXPECT_EQ(TextUpToNul(std::string_view("abc", 3)), "abc");
    EXPECT_EQ(TextUpToNul(std::string_view("first\0second\0\0", 15)), "first");
    EXPECT_EQ(TextUpToNul(std::string_view("\0abc", 4)), "");
    EXPECT_EQ(TextUpToNul(std::string_view()), "");
    // Bytes of a number read as text: 0x41 0x42 then zeros.
    EXPECT_EQ(TextUpToNul(std::string_view("AB\0\0", 4)), "AB");
    const std::string high = "\xB0\xAE";
    EXPECT_EQ(TextUpToNul(high), high);
}

TEST(AtoiValue, FollowsAtoi) {
    EXPECT_EQ(AtoiValue("600"), 600);
    EXPECT_EQ(AtoiValue("  42abc"), 42);
    EXPECT_EQ(AtoiValue("\t-7"), -7);
    EXPECT_EQ(AtoiValue("+15"), 15);
    EXPECT_EQ(AtoiValue("Not find"), 0);
    EXPECT_EQ(AtoiValue(""), 0);
    EXPECT_EQ(AtoiValue("-"), 0);
    EXPECT_EQ(AtoiValue("1 2"), 1);
    EXPECT_EQ(AtoiValue("2147483647"), INT_MAX);
    EXPECT_EQ(AtoiValue("-2147483648"), INT_MIN);
    EXPECT_EQ(AtoiValue("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(AtoiValue("-99999999999999999999999"), INT_MIN);
}

TEST(ScreenSaveTimeoutLine, SecondsUpTo59ThenWholeMinutes) {
    EXPECT_EQ(ScreenSaveTimeoutLine("0"), "Timeout: 0 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("59"), "Timeout: 59 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("60"), "Timeout: 1 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("61"), "Timeout: 1 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("90"), "Timeout: 1 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("119"), "Timeout: 1 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("120"), "Timeout: 2 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("600"), "Timeout: 10 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("Not find"), "Timeout: 0 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("-5"), "Timeout: -5 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("900 seconds"), "Timeout: 15 min");
}

TEST(WithUnit, AppendedUnlessTheLineHoldsNot) {
    EXPECT_EQ(WithUnit("Shell icon size: 32", " pixels"), "Shell icon size: 32 pixels");
    EXPECT_EQ(WithUnit("Shell icon size: Not find", " pixels"), "Shell icon size: Not find");
    EXPECT_EQ(WithUnit("Timeout to kill services: 20000", " ms"), "Timeout to kill services: 20000 ms");
    EXPECT_EQ(WithUnit("Timeout to kill services: Not find", " ms"), "Timeout to kill services: Not find");
    // Case-sensitive, anywhere in the line.
    EXPECT_EQ(WithUnit("Shell icon size: not", " pixels"), "Shell icon size: not pixels");
    EXPECT_EQ(WithUnit("Shell icon size: xNoty", " pixels"), "Shell icon size: xNoty");
    EXPECT_EQ(WithUnit("Shell icon size: ", " pixels"), "Shell icon size:  pixels");
}

TEST(FlagLine, OnlyExactZeroIsNo) {
    EXPECT_EQ(FlagLine("0", "Active: no", "Active: yes"), "Active: no");
    EXPECT_EQ(FlagLine("1", "Active: no", "Active: yes"), "Active: yes");
    EXPECT_EQ(FlagLine("Not find", "Active: no", "Active: yes"), "Active: yes");
    EXPECT_EQ(FlagLine("", "Secure: no", "Secure: yes"), "Secure: yes");
    EXPECT_EQ(FlagLine("00", "Secure: no", "Secure: yes"), "Secure: yes");
    EXPECT_EQ(FlagLine(" 0", "Secure: no", "Secure: yes"), "Secure: yes");
}

TEST(KeyboardTypeName, TableAndUnknown) {
    EXPECT_STREQ(KeyboardTypeName(1), "IBM PC/XT or compatible [83-key]");
    EXPECT_STREQ(KeyboardTypeName(2), "Olivetti ICO [102-key]");
    EXPECT_STREQ(KeyboardTypeName(3), "IBM PC/AT [84-key] or similar");
    EXPECT_STREQ(KeyboardTypeName(4), "IBM enhanced [101/102-key]");
    EXPECT_STREQ(KeyboardTypeName(5), "Nokia 1050 and similar");
    EXPECT_STREQ(KeyboardTypeName(6), "Nokia 9140 and similar");
    EXPECT_STREQ(KeyboardTypeName(7), "Japanese");
    for (int type : {0, 8, -1, 81}) EXPECT_STREQ(KeyboardTypeName(type), "Unknown") << type;
}

TEST(SystemParameterLines, ExactTexts) {
    EXPECT_EQ(BootModeLine(0), "System start: Normal boot");
    EXPECT_EQ(BootModeLine(1), "System start: Safe Mode");
    EXPECT_EQ(BootModeLine(2), "System start: Safe Mode with network boot");
    EXPECT_EQ(BootModeLine(3), "");
    EXPECT_EQ(BootModeLine(-1), "");
    EXPECT_EQ(MouseWheelLine(1), "Wheel present.");
    EXPECT_EQ(MouseWheelLine(-1), "Wheel present.");
    EXPECT_EQ(MouseWheelLine(0), "No wheel.");
    EXPECT_EQ(MenuShowDelayLine(400), "Menu show delay: 400 ms");
    EXPECT_EQ(MenuShowDelayLine(0), "Menu show delay: 0 ms");
    EXPECT_EQ(IconTitleWrapLine(1), "Icon-title wrapping : yes");
    EXPECT_EQ(IconTitleWrapLine(0), "Icon-title wrapping : no");
    EXPECT_EQ(FontSmoothingLine(2), "Font smoothing: yes");
    EXPECT_EQ(FontSmoothingLine(0), "Font smoothing: no");
    EXPECT_EQ(KeyboardDelayLine(1), "Repeat delay: 1");
    EXPECT_EQ(MouseSpeedLine(1), "Speed: 1");
    EXPECT_EQ(MouseThresholdLine(6, 10), "Threshold (x,y): 6,10");
    EXPECT_EQ(RasterTechnologyLine(1), "Raster technology: yes");
    EXPECT_EQ(RasterTechnologyLine(0), "Raster technology: no");
    EXPECT_EQ(RasterTechnologyLine(2), "Raster technology: no");
}

TEST(CapabilityLines, YesWhenSetInvertedNoWhenSet) {
    static constexpr CapabilityBit table[] = {
        {"Plain", 0x1, false},
        {"Other", 0x4, false},
        {"Inverted", 0x10000, true},
    };
    std::vector<std::string> lines{"kept"};
    AppendCapabilityLines(table, 0x1, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", "Plain: yes", "Other: no", "Inverted: yes"}));
    lines.clear();
    AppendCapabilityLines(table, 0x10004, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Plain: no", "Other: yes", "Inverted: no"}));
    lines.clear();
    AppendCapabilityLines(table, 0, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Plain: no", "Other: no", "Inverted: yes"}));
}

TEST(CapabilityLines, TablesInTheirOrder) {
    std::vector<std::string> lines;
    AppendCapabilityLines(kRasterCapBits, 0x1 | 0x1000, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Requires banding support: no", "Transfer bitmaps: yes",
                                               "Support bitmaps larger than 64 KB: no", "Perform flood fills: yes",
                                               "Capable of scaling: no"}));
    lines.clear();
    AppendCapabilityLines(kLineCapBits, 0xFE, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Draw interiors: yes", "Draw marker: yes", "Draw polyline: yes",
                                               "Draw multiple markers: yes", "Draw styled lines: yes",
                                               "Draw wide lines: yes", "Draw lines that are wide and styled: yes"}));
    lines.clear();
    AppendCapabilityLines(kTextCapBits, 0x1 | 0x10000, lines);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Character output precision: yes");
    EXPECT_EQ(lines[1], "Stroke output precision: no");
    EXPECT_EQ(lines[2], "Stroke clip precision: no");
    EXPECT_EQ(lines[3], "90-degree character rotation: no");
    EXPECT_EQ(lines[4], "Draw double-weight characters: no");
    EXPECT_EQ(lines[5], "Italic: no");
    EXPECT_EQ(lines[6], "Underline: no");
    EXPECT_EQ(lines[7], "Draw strikeouts: no");
    EXPECT_EQ(lines[8], "Draw Raster fonts: no");
    EXPECT_EQ(lines[9], "Draw vector fonts: no");
    EXPECT_EQ(lines[10], "Scroll using a bit-block transfer: no");
    lines.clear();
    AppendCapabilityLines(kPolygonCapBits, 0x1 | 0x8, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Draw interiors: no", "Draw alternate-fill polygons: yes",
                                               "Draw rectangles: no", "Draw a single scanline: yes",
                                               "Draw styled borders: no", "Draw wide borders: no",
                                               "Draw borders that are wide and styled: no"}));
    lines.clear();
    AppendCapabilityLines(kCurveCapBits, 0x100 | 0x1, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Draw chord arcs: no", "Draw circles: yes", "Draw ellipses: no",
                                               "Draw interiors: no", "Draw pie wedges: no",
                                               "Draw rounded rectangles: yes", "Draw styled borders: no",
                                               "Draw wide borders: no", "Draw borders that are wide and styled: no"}));
}

TEST(FolderSizeLine, ThresholdsAndUnits) {
    EXPECT_EQ(FolderSizeLine(0), "");
    EXPECT_EQ(FolderSizeLine(1048575), "");
    EXPECT_EQ(FolderSizeLine(1048576), "");
    EXPECT_EQ(FolderSizeLine(1048577), "Size: 1.00 MB");
    EXPECT_EQ(FolderSizeLine(1572864), "Size: 1.50 MB");
    EXPECT_EQ(FolderSizeLine(1073741824), "Size: 1024.00 MB");
    EXPECT_EQ(FolderSizeLine(1073741825), "Size: 1.00 GB");
    EXPECT_EQ(FolderSizeLine(1610612736), "Size: 1.50 GB");
    // Beyond 32 bits: 5 GiB and a quarter.
    EXPECT_EQ(FolderSizeLine(5637144576ull), "Size: 5.25 GB");
    EXPECT_EQ(FolderSizeLine(4294967296ull + 1), "Size: 4.00 GB");
    EXPECT_EQ(FolderSizeLine(1099511627776ull * 3), "Size: 3072.00 GB");
}

TEST(FolderCountLines, CountsAndTheirBounds) {
    EXPECT_EQ(FolderCountLine(0), "Number of Folders: 0");
    EXPECT_EQ(FolderCountLine(12), "Number of Folders: 12");
    EXPECT_EQ(FileCountLine(3456), "Number of Files: 3456");
    EXPECT_EQ(FileCountLine(5000000000ll), "Number of Files: 2147483647");
    EXPECT_STREQ(kFolderCountNotFind, "Number of Folders: Not find");
    EXPECT_STREQ(kFileCountNotFind, "Number of Files: Not find");
    EXPECT_STREQ(kSizeNotFind, "Size: Not find");
}

TEST(ParentFolder, DriveKeepsItsBackslash) {
    EXPECT_EQ(ParentFolder("C:\\WINDOWS"), "C:\\");
    EXPECT_EQ(ParentFolder("C:\\WINDOWS\\system32"), "C:\\WINDOWS");
    EXPECT_EQ(ParentFolder("\\\\server\\share\\dir"), "\\\\server\\share");
    EXPECT_EQ(ParentFolder("WINDOWS"), "");
    EXPECT_EQ(ParentFolder(""), "");
}

TEST(DesktopItemLine, ThreeForms) {
    EXPECT_EQ(DesktopItemLine(5, 2), "Number of Items: 5 (including 2 folders)");
    EXPECT_EQ(DesktopItemLine(4, 1), "Number of Items: 4 (including 1 folder)");
    EXPECT_EQ(DesktopItemLine(2, 0), "Number of Items: 2");
    EXPECT_EQ(DesktopItemLine(0, 0), "Number of Items: 0");
    EXPECT_EQ(DesktopItemLine(1, 1), "Number of Items: 1 (including 1 folder)");
    EXPECT_STREQ(kDesktopItemsNotFind, "Number of Items: Not find");
}

TEST(SystemRestoreAvailable, NeedsClientKeyAndNoSwitch) {
    EXPECT_TRUE(SystemRestoreAvailable(true, true, DisableSrSwitch::Absent));
    EXPECT_TRUE(SystemRestoreAvailable(true, true, DisableSrSwitch::Zero));
    EXPECT_FALSE(SystemRestoreAvailable(true, true, DisableSrSwitch::Set));
    EXPECT_FALSE(SystemRestoreAvailable(false, true, DisableSrSwitch::Absent));
    EXPECT_FALSE(SystemRestoreAvailable(true, false, DisableSrSwitch::Absent));
    EXPECT_FALSE(SystemRestoreAvailable(false, false, DisableSrSwitch::Zero));
}

}  // namespace
