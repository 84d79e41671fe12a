#include "probes/probe_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

TEST(ProbeText, RegistryPathSplitsAtTheLastBackslash) {
    const struct {
        const char* full;
        const char* key;
        const char* value;
    } cases[] = {
        {"HARDWARE\\DESCRIPTION\\System\\SystemBiosDate", "HARDWARE\\DESCRIPTION\\System", "SystemBiosDate"},
        // Backslashes at the ends are dropped; a trailing one leaves the unnamed value.
        {"\\\\Software\\Test\\v", "Software\\Test", "v"}, {"Software\\Test\\\\\\v", "Software\\Test", "v"},
        {"Software\\Test\\", "Software\\Test", ""}, {"\\Software\\\\", "Software", ""},
        // Without a backslash the whole text is the value name.
        {"ProgramCount", "", "ProgramCount"}, {"\\\\ProgramCount", "", "ProgramCount"},
        {"\\\\\\", "", ""}, {"", "", ""},
    };
    for (const auto& c : cases) {
        const RegistryPath path = SplitRegistryPath(c.full);
        EXPECT_EQ(path.keyPath, c.key) << c.full;
        EXPECT_EQ(path.valueName, c.value) << c.full;
    }
}

TEST(ProbeText, NumbersByAtoiRulesHeldWithinInt) {
    EXPECT_EQ(AtoiValue("  42abc"), 42);
    EXPECT_EQ(AtoiValue("\t+15"), 15);
    EXPECT_EQ(AtoiValue("Not find"), 0);
    EXPECT_EQ(AtoiValue("-"), 0);
    EXPECT_EQ(AtoiValue("-2147483648"), INT_MIN);
    EXPECT_EQ(AtoiValue("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(AtoiValue("-99999999999999999999999"), INT_MIN);
    // Seconds up to 59, then whole minutes.
    EXPECT_EQ(ScreenSaveTimeoutLine("59"), "Timeout: 59 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("119"), "Timeout: 1 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("120"), "Timeout: 2 min");
    EXPECT_EQ(ScreenSaveTimeoutLine("Not find"), "Timeout: 0 sec");
    EXPECT_EQ(ScreenSaveTimeoutLine("-5"), "Timeout: -5 sec");
}

TEST(ProbeText, UnitsFlagsAndOddValues) {
    // The unit is left off when the line holds "Not", case-sensitively, anywhere.
    EXPECT_EQ(WithUnit("Shell icon size: 32", " pixels"), "Shell icon size: 32 pixels");
    EXPECT_EQ(WithUnit("Timeout to kill services: Not find", " ms"), "Timeout to kill services: Not find");
    EXPECT_EQ(WithUnit("Shell icon size: not", " pixels"), "Shell icon size: not pixels");
    EXPECT_EQ(WithUnit("Shell icon size: xNoty", " pixels"), "Shell icon size: xNoty");
    // Only exactly "0" is "no".
    for (const char* yes : {"1", "Not find", "", "00", " 0"}) EXPECT_EQ(FlagLine(yes, "no", "yes"), "yes") << yes;
    EXPECT_EQ(FlagLine("0", "no", "yes"), "no");
    for (int type : {0, 8, -1}) EXPECT_STREQ(KeyboardTypeName(type), "Unknown") << type;
    EXPECT_EQ(BootModeLine(3), "");
    EXPECT_EQ(BootModeLine(-1), "");
    EXPECT_EQ(MouseWheelLine(-1), "Wheel present.");
    EXPECT_EQ(RasterTechnologyLine(2), "Raster technology: no");  // only DT_RASDISPLAY is
}

TEST(ProbeText, CapabilityLinesAppendAndInvert) {
    static constexpr CapabilityBit table[] = {{"Plain", 0x1, false}, {"Other", 0x4, false}, {"Inverted", 0x10000, true}};
    std::vector<std::string> lines{"kept"};
    AppendCapabilityLines(table, 0x1, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", "Plain: yes", "Other: no", "Inverted: yes"}));
    lines.clear();
    AppendCapabilityLines(table, 0x10004, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Plain: no", "Other: yes", "Inverted: no"}));
}

TEST(ProbeText, FolderLines) {
    EXPECT_EQ(FolderSizeLine(1048576), "");
    EXPECT_EQ(FolderSizeLine(1048577), "Size: 1.00 MB");
    EXPECT_EQ(FolderSizeLine(1073741824), "Size: 1024.00 MB");
    EXPECT_EQ(FolderSizeLine(1073741825), "Size: 1.00 GB");
    EXPECT_EQ(FileCountLine(5000000000ll), "Number of Files: 2147483647");
    EXPECT_EQ(ParentFolder("C:\\WINDOWS"), "C:\\");  // "C:" alone is the drive's current folder
    EXPECT_EQ(ParentFolder("\\\\server\\share\\dir"), "\\\\server\\share");
    EXPECT_EQ(ParentFolder("WINDOWS"), "");
    EXPECT_EQ(DesktopItemLine(1, 1), "Number of Items: 1 (including 1 folder)");
    EXPECT_EQ(DesktopItemLine(2, 0), "Number of Items: 2");
}

}  // namespace
