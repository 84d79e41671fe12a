#include "probes/version_code.h"

#include <gtest/gtest.h>

namespace {

using ovix::WindowsVersionCode;
constexpr unsigned k9x = ovix::kPlatformWin32Windows;
constexpr unsigned kNt = ovix::kPlatformWin32Nt;

TEST(WindowsVersionCode, NineXFamilyByBuild) {
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 950), 1);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 951), 2);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 1080), 2);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 1081), 3);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 949), 0);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 10, 1998), 4);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 10, 1999), 5);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 10, 2182), 5);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 10, 2183), 6);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 90, 3000), 7);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 50, 3000), 0);
}

TEST(WindowsVersionCode, BuildCountsByItsLowSixteenBits) {
    // The 9x family keeps major and minor in the build's high word.
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 10, 0x040A0000u | 2222), 6);
    EXPECT_EQ(WindowsVersionCode(k9x, 4, 0, 0x04000000u | 950), 1);
}

TEST(WindowsVersionCode, NtFamily) {
    EXPECT_EQ(WindowsVersionCode(kNt, 3, 51, 1057), 101);
    EXPECT_EQ(WindowsVersionCode(kNt, 4, 0, 1381), 102);
    EXPECT_EQ(WindowsVersionCode(kNt, 5, 0, 2195), 103);
    EXPECT_EQ(WindowsVersionCode(kNt, 5, 1, 2600), 104);
    EXPECT_EQ(WindowsVersionCode(kNt, 5, 2, 3790), 105);
}

TEST(WindowsVersionCode, LaterVersionsAreNotXp) {
    EXPECT_EQ(WindowsVersionCode(kNt, 6, 1, 7601), 0);
    EXPECT_EQ(WindowsVersionCode(kNt, 10, 0, 19045), 0);
    EXPECT_EQ(WindowsVersionCode(kNt, 5, 3, 0), 0);
}

TEST(WindowsVersionCode, CeAndUnknownPlatforms) {
    EXPECT_EQ(WindowsVersionCode(ovix::kPlatformWin32Ce, 5, 1, 2600), 201);
    EXPECT_EQ(WindowsVersionCode(0, 5, 1, 2600), 0);
    EXPECT_EQ(WindowsVersionCode(7, 5, 1, 2600), 0);
}

}  // namespace
