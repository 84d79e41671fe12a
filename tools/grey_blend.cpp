#include "tools/grey_blend.h"

#include <algorithm>

namespace ovix {

void BlendGreyFrame(std::span<const uint32_t> original, std::span<uint32_t> target, int frame) {
    // a = frame / 20 exactly: in whole numbers the truncation never loses the
    // last unit that 0.05 steps in floating point would (255 staying 255 when
    // red equals green).
    const uint32_t towards = static_cast<uint32_t>(std::clamp(frame, 0, kGreyFrames - 1));
    const uint32_t kept = kGreyFrames - towards;
    const std::size_t count = std::min(original.size(), target.size());
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t pixel = original[i];
        const uint32_t red = (pixel >> 16) & 0xFF;
        const uint32_t green = (pixel >> 8) & 0xFF;
        const uint32_t blue = pixel & 0xFF;
        const uint32_t newRed = (red * kept + green * towards) / kGreyFrames;
        const uint32_t newBlue = (blue * kept + green * towards) / kGreyFrames;
        target[i] = (pixel & 0xFF00FF00u) | (newRed << 16) | newBlue;
    }
}

}  // namespace ovix
