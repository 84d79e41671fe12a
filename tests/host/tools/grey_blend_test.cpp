#include "tools/grey_blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> Frame(const std::vector<uint32_t>& original, int frame) {
    std::vector<uint32_t> target(original.size(), 0xDEADBEEF);
    ovix::BlendGreyFrame(original, target, frame);
    return target;
}

TEST(GreyBlend, BlendsTowardsGreenTruncatedWithAlphaKept) {
    const std::vector<uint32_t> original{0x80FF1000, 0x0CC82864, 0xFF7F7F7F, 0x1200FF00};
    EXPECT_EQ(Frame(original, 0), original);
    // red 255, green 16: (255 + 16 * 19) / 20 = 27.95; blue (0 + 304) / 20 = 15.2.
    // red 200, green 40, blue 100: 48 and 43; grey stays grey (no unit
    // lost to rounding); pure green pulls red and blue up to 242.
    EXPECT_EQ(Frame(original, 19), (std::vector<uint32_t>{0x801B100F, 0x0C30282B, 0xFF7F7F7F, 0x12F2FFF2}));
    // Frame 10 is halfway: 2710 / 20 and 160 / 20.
    EXPECT_EQ(Frame(original, 10)[0], 0x80871008u);
    // Out-of-range frames are the nearest end.
    EXPECT_EQ(Frame(original, -3), original);
    EXPECT_EQ(Frame(original, 25), Frame(original, 19));
    // Spans of different lengths: only the pixels both hold.
    std::vector<uint32_t> longer{1, 2, 3, 4, 5};
    ovix::BlendGreyFrame(original, longer, 19);
    EXPECT_EQ(longer[3], 0x12F2FFF2u);
    EXPECT_EQ(longer[4], 5u);
}

}  // namespace
