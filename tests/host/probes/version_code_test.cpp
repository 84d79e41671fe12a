#include "probes/version_code.h"

#include <gtest/gtest.h>

namespace {

// The NT codes are checked with the names in system_info_rules_test; here the
// build boundaries of the 95 family and the other platforms.
TEST(WindowsVersionCode, BuildBoundariesAndPlatforms) {
    constexpr unsigned k9x = ovix::kPlatformWin32Windows;
    const struct {
        unsigned platform, major, minor, build;
        int code;
    } cases[] = {
        {k9x, 4, 0, 949, 0},    {k9x, 4, 0, 950, 1},     {k9x, 4, 0, 951, 2},      {k9x, 4, 0, 1080, 2},
        {k9x, 4, 0, 1081, 3},   {k9x, 4, 10, 1997, 0},   {k9x, 4, 10, 1998, 4},    {k9x, 4, 10, 1999, 5},
        {k9x, 4, 10, 2182, 5},  {k9x, 4, 10, 2183, 6},   {k9x, 4, 50, 3000, 0},    {k9x, 5, 0, 3000, 0},
        // Only the low 16 bits of the build count.
        {k9x, 4, 0, 0x04000000u | 950, 1},
        {ovix::kPlatformWin32Ce, 5, 1, 2600, 201},      {0, 5, 1, 2600, 0},       {7, 5, 1, 2600, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ovix::WindowsVersionCode(c.platform, c.major, c.minor, c.build), c.code)
            << c.platform << " " << c.major << "." << c.minor << "." << c.build;
    }
}

}  // namespace
