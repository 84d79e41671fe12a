// The busy cover's fade: each frame pulls red and blue towards the pixel's
// green, so the picture drifts to a green-tinted grey while its shapes stay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ovix {

// Frames 0..19 blend with a = 0, 0.05 ... 0.95.
inline constexpr int kGreyFrames = 20;

// Writes frame `frame` of `original` into `target`: green and the top byte
// kept, red = red * (1 - a) + green * a and blue likewise, each truncated.
// Pixels are 0xAARRGGBB, as a 32-bit DIB holds them (bytes B, G, R, A).
// Always computed from the untouched snapshot, never from the previous frame,
// so the steps do not compound. A frame out of 0..19 is taken as the nearest
// end; only the pixels both spans hold are written.
void BlendGreyFrame(std::span<const uint32_t> original, std::span<uint32_t> target, int frame);

}  // namespace ovix
