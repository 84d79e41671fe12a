#include "probes/fact_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenLines, SizeInCentimetresWithOneDecimal) {
    EXPECT_EQ(ovix::ScreenSizeLine(320, 240), "Size: 32.0cm x 24.0cm");
    EXPECT_EQ(ovix::ScreenSizeLine(338, 270), "Size: 33.8cm x 27.0cm");
    EXPECT_EQ(ovix::ScreenSizeLine(0, 0), "Size: 0.0cm x 0.0cm");
}

TEST(ScreenLines, DiagonalFromTheMillimetresNotTheAspect) {
    // 304.8 mm by 228.6 mm is 12 by 9 inches: a 15-inch diagonal.
    EXPECT_EQ(ovix::ScreenDiagonalLine(305, 229), "Diagonal: 15.0''");
    // 17-inch 5:4: 338 x 270 mm.
    EXPECT_EQ(ovix::ScreenDiagonalLine(338, 270), "Diagonal: 17.0''");
    // Wide 24-inch: 531 x 299 mm.
    EXPECT_EQ(ovix::ScreenDiagonalLine(531, 299), "Diagonal: 24.0''");
    EXPECT_EQ(ovix::ScreenDiagonalLine(0, 0), "Diagonal: 0.0''");
}

TEST(OsLines, ServerTwentyOhThreeBranches) {
    EXPECT_EQ(ovix::OsModelLine(true, "Enterprise Edition"), "Model: Windows 2003 Enterprise Edition");
    EXPECT_EQ(ovix::OsModelLine(false, "Windows XP Service Pack 2"), "Model: Windows XP Service Pack 2");
    EXPECT_EQ(ovix::OsLanguageLine(true, "ENU", "United States"), "Language: ENU");
    EXPECT_EQ(ovix::OsLanguageLine(false, "ENU", "United States"), "Country: United States [ENU]");
    EXPECT_EQ(ovix::OsLanguageLine(false, "Not find", "Not find"), "Country: Not find [Not find]");
}

TEST(OsLines, VersionAndFeatures) {
    EXPECT_EQ(ovix::OsVersionLine(5, 1, 2600), "Version: 5.1 Build: 2600");
    EXPECT_EQ(ovix::OsVersionLine(0, 0, 0), "Version: 0.0 Build: 0");
    EXPECT_EQ(ovix::FeatureLine("PAE", true), "PAE: yes");
    EXPECT_EQ(ovix::FeatureLine("RDTSC", false), "RDTSC: no");
}

}  // namespace
