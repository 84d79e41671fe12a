#include "probes/fact_text.h"

#include <gtest/gtest.h>

namespace {

// (The language line of Server 2003 and the others is checked in the system
// information tests, one process per Windows version.)
TEST(FactText, ScreenDiagonalFromBothSides) {
    // Not from the aspect: 12 x 9 inches is 15.
    EXPECT_EQ(ovix::ScreenDiagonalLine(305, 229), "Diagonal: 15.0''");
    EXPECT_EQ(ovix::ScreenDiagonalLine(531, 299), "Diagonal: 24.0''");
    EXPECT_EQ(ovix::ScreenSizeLine(338, 270), "Size: 33.8cm x 27.0cm");
}

}  // namespace
