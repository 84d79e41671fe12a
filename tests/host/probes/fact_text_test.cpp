#include "probes/fact_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FactText, ScreenLinesFromMillimetres) {
    EXPECT_EQ(ovix::ScreenSizeLine(338, 270), "Size: 33.8cm x 27.0cm");
    EXPECT_EQ(ovix::ScreenSizeLine(0, 0), "Size: 0.0cm x 0.0cm");
    // The diagonal from both sides, not from the aspect: 12 x 9 inches is 15.
    EXPECT_EQ(ovix::ScreenDiagonalLine(305, 229), "Diagonal: 15.0''");
    EXPECT_EQ(ovix::ScreenDiagonalLine(531, 299), "Diagonal: 24.0''");
    EXPECT_EQ(ovix::ScreenDiagonalLine(0, 0), "Diagonal: 0.0''");
}

TEST(FactText, LanguageLineOfServer2003AndOthers) {
    EXPECT_EQ(ovix::OsLanguageLine(true, "ENU", "United States"), "Language: ENU");
    EXPECT_EQ(ovix::OsLanguageLine(false, "ENU", "United States"), "Country: United States [ENU]");
    EXPECT_EQ(ovix::FeatureLine("RDTSC", false), "RDTSC: no");
}

}  // namespace
