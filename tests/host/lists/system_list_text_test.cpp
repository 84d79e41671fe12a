#include "lists/system_list_text.h"
#include "widgets/repaint_throttle.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemListTexts, DatesHandlesAndInstallerLines) {
    EXPECT_EQ(ovix::PackageDateText("20061231"), "12/31/2006");
    EXPECT_EQ(ovix::PackageDateText("20061231000000.000000+000"), "12/31/2006");
    for (const char* shortDate : {"", "2006", "200612", "2006123"}) {
        EXPECT_EQ(ovix::PackageDateText(shortDate), "") << shortDate;
    }
    EXPECT_EQ(ovix::WindowHandleText(0x1002A), "0001002ALD");
    EXPECT_EQ(ovix::WindowHandleText(0xFFFFFFFF00ABCDEFull), "00ABCDEFLD") << "low 32 bits";
    EXPECT_EQ(ovix::MsiexecLine("/I", "C:\\WINDOWS\\Installer\\my pack.msi"),
              "msiexec /I \"C:\\WINDOWS\\Installer\\my pack.msi\"");
    EXPECT_EQ(ovix::MsiexecLine("/x", ""), "");
    EXPECT_EQ(ovix::MsiexecLine("/x", "a.msi\" /qn \"b.msi"), "");
    EXPECT_TRUE(ovix::IsIniName("DESKTOP.INI"));
    EXPECT_TRUE(ovix::IsIniName("desktop.ini"));
    EXPECT_FALSE(ovix::IsIniName("arial.ttf"));
}

TEST(SystemListTexts, SizesAtEveryThreshold) {
    struct Case {
        std::uint64_t bytes;
        const char* statistics;
        const char* fonts;
    };
    const Case cases[] = {
        {0, "0 Bytes", ""},
        {1024, "1024 Bytes", ""},
        {1025, "1.00 KB", "1.00 KB"},
        {2048, "2.00 KB", "2.00 KB"},
        {1048576, "1024.00 KB", "1024.00 KB"},
        {1048577, "1.00 MB", "1.00 MB"},
        {1073741824, "1024.00 MB", "1024.00 MB"},
        {1073741825, "1.00 GB", "1.00 GB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ovix::TotalSizeText(c.bytes, true), c.statistics) << c.bytes;
        EXPECT_EQ(ovix::TotalSizeText(c.bytes, false), c.fonts) << c.bytes;
    }
    EXPECT_EQ(ovix::KilobytesText(1536), "1.50 KB");
    EXPECT_EQ(ovix::KilobytesText(0), "0.00 KB");
    EXPECT_EQ(ovix::TotalSizeText((1ull << 33) + 1000000, true), "8.00 GB") << "above 32 bits";
}

TEST(SystemListTexts, StatisticsTextAndRepaintThrottle) {
    EXPECT_EQ(ovix::FolderStatisticsText({"C:\\empty", "a", "b", 0, 0, 0}),
              "- Path: C:\\empty\r\n\r\n- Date:\r\n- Creation: a\r\n- Last modified: b\r\n\r\n- 0 Folders.\r\n"
              "- 0 Files.\r\n\r\n-Total Size: 0 Bytes");
    widgets::RepaintThrottle throttle(50);
    EXPECT_TRUE(throttle.Changed(1000)) << "the first status is painted";
    throttle.Painted(1000);
    EXPECT_FALSE(throttle.Changed(1049));
    EXPECT_TRUE(throttle.Pending());
    EXPECT_TRUE(throttle.Changed(1050));
    throttle.Painted(1050);
    EXPECT_FALSE(throttle.Pending());
    EXPECT_TRUE(throttle.Changed(1050 + 0x80000000u)) << "the tick count wraps";
}

}  // namespace
