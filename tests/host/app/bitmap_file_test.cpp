#include "app/bitmap_file.h"

#include <gtest/gtest.h>

namespace {

TEST(BitmapFile, NameAlwaysGetsTheExtensionWhateverItsLength) {
    EXPECT_EQ(ovix::ScreenshotFileName("shot.bmp"), "shot.bmp.bmp");
    const std::string longName(300, 'x');
    EXPECT_EQ(ovix::ScreenshotFileName(longName), longName + ".bmp");
}

TEST(BitmapFile, RowsArePaddedToFourBytes) {
    EXPECT_EQ(ovix::Dib24ImageSize(1, 1), 4u);
    EXPECT_EQ(ovix::Dib24ImageSize(4, 2), 24u);
    EXPECT_EQ(ovix::Dib24ImageSize(5, 3), 48u);  // 15 bytes a row, padded to 16
    EXPECT_EQ(ovix::Dib24ImageSize(0, 10), 0u);
    EXPECT_EQ(ovix::Dib24ImageSize(10, -1), 0u);
    EXPECT_EQ(ovix::Dib24ImageSize(100000, 100000), 0u) << "beyond a file's 32-bit size field";
}

TEST(BitmapFile, FileHeaderLittleEndian) {
    const auto header = ovix::BitmapFileHeader(0x01020300);
    const std::array<uint8_t, 14> expected{'B', 'M', 0x36, 0x03, 0x02, 0x01, 0, 0, 0, 0, 54, 0, 0, 0};
    EXPECT_EQ(header, expected);
}

}  // namespace
