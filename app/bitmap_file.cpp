#include "app/bitmap_file.h"

namespace ovix {

std::string ScreenshotFileName(const std::string& chosen) { return chosen + ".bmp"; }

uint32_t Dib24ImageSize(long width, long height) {
    if (width <= 0 || height <= 0) return 0;
    const uint64_t row = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
    const uint64_t size = row * static_cast<uint64_t>(height);
    if (size > UINT32_MAX - kBitmapHeadersSize) return 0;
    return static_cast<uint32_t>(size);
}

std::array<uint8_t, 14> BitmapFileHeader(uint32_t imageSize) {
    const uint32_t fileSize = kBitmapHeadersSize + imageSize;
    std::array<uint8_t, 14> header{'B', 'M'};
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = static_cast<uint8_t>(fileSize >> (8 * i));
        header[10 + i] = static_cast<uint8_t>(kBitmapHeadersSize >> (8 * i));
    }
    return header;
}

}  // namespace ovix
