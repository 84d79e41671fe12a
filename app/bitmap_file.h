// The layout of the screenshot's .bmp file: a 14-byte file header, the
// 40-byte information header, then 24-bit rows padded to four bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ovix {

inline constexpr uint32_t kBitmapHeadersSize = 14 + 40;

// The file the screenshot goes to: ".bmp" is always appended, so a name typed
// with it ends ".bmp.bmp" (as users of the command know it).
std::string ScreenshotFileName(const std::string& chosen);

// Bytes of the pixel rows of a 24-bit bitmap; 0 for a size that is empty,
// negative or too large for a file.
uint32_t Dib24ImageSize(long width, long height);

// "BM", the file size (headers plus image), two reserved words, offset 54;
// little-endian.
std::array<uint8_t, 14> BitmapFileHeader(uint32_t imageSize);

}  // namespace ovix
