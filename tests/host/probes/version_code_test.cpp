#include "probes/version_code.h"

#include <gtest/gtest.h>

namespace {

// The NT codes, the platforms and the build's high word are checked with the
// names in system_info_rules_test; here the build boundaries of the 95 family.
TEST(WindowsVersionCode, BuildBoundariesOfThe95Family) {
    const struct {
        unsigned major, minor, build;
        int code;
    } cases[] = {
        {4, 0, 949, 0},    {4, 0, 950, 1},     {4, 0, 951, 2},    {4, 0, 1080, 2},   {4, 0, 1081, 3},
        {4, 10, 1997, 0},  {4, 10, 1998, 4},   {4, 10, 1999, 5},  {4, 10, 2182, 5},  {4, 10, 2183, 6},
        {4, 50, 3000, 0},  {5, 0, 3000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ovix::WindowsVersionCode(ovix::kPlatformWin32Windows, c.major, c.minor, c.build), c.code)
            << c.major << "." << c.minor << "." << c.build;
    }
}

}  // namespace
