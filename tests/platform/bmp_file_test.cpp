// Screenshot files and image decoding: the writer's layout (bottom-up rows,
// BGR, rows padded to four bytes) is checked byte by byte and by reading the
// file back through the same decoder the textures use.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sdl/bmp_file.h"
#include "platform/sdl/image_decode.h"
#include "test_support.h"

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

}  // namespace

TEST(BmpFile, LayoutOfAnOddWidthPicture) {
    // 3 x 2, top row red green blue, bottom row white black magenta.
    const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0, 255};
    auto bmp = sdlplat::encodeBmp24(3, 2, rgb);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);  // 9 bytes of pixels padded to 12 per row
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 18), 3u);
    EXPECT_EQ(le32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(le32(bmp, 30), 0u);  // uncompressed
    // First stored row is the bottom one, in blue-green-red order.
    const uint8_t bottom[] = {255, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    const uint8_t top[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(bottom, bottom + 12, bmp.begin() + 54));
    EXPECT_TRUE(std::equal(top, top + 12, bmp.begin() + 66));
}

TEST(BmpFile, RoundTripThroughTheTextureDecoderKeysOutMagenta) {
    const uint8_t rgb[] = {10, 20, 30, 255, 0, 255, 0, 0, 0, 254, 0, 255};
    auto bmp = sdlplat::encodeBmp24(2, 2, rgb);
    sdlplat::Image image;
    ASSERT_TRUE(sdlplat::decodeImage(bmp.data(), bmp.size(), image));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    const uint8_t expected[] = {10,  20, 30,  255, 0, 0, 0, 0,  // magenta: transparent
                                0,   0,  0,   255,              // black stays opaque
                                254, 0,  255, 255};             // near-magenta stays
    EXPECT_TRUE(std::equal(expected, expected + 16, image.rgba.begin()));
}

TEST(BmpFile, BadInputIsRefused) {
    sdlplat::Image image;
    const unsigned char junk[] = "BM this is not a picture";
    EXPECT_FALSE(sdlplat::decodeImage(junk, sizeof junk, image));
    EXPECT_FALSE(sdlplat::decodeImage(nullptr, 0, image));
    const uint8_t rgb[3] = {};
    EXPECT_TRUE(sdlplat::encodeBmp24(0, 1, rgb).empty());
    EXPECT_TRUE(sdlplat::encodeBmp24(1, -1, rgb).empty());
    EXPECT_TRUE(sdlplat::encodeBmp24(1, 1, nullptr).empty());
}

TEST(BmpFile, WritingReportsFailureAndLeavesNothingBehind) {
    ScratchFolder scratch;
    const uint8_t rgb[] = {1, 2, 3};
    EXPECT_FALSE(sdlplat::writeBmp24(scratch.file("no/such/folder/shot.bmp"), 1, 1, rgb));
    EXPECT_FALSE(sdlplat::writeBmp24(scratch.file("empty.bmp"), 0, 0, rgb));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("empty.bmp")));

    const std::string path = scratch.file("shot.bmp");
    ASSERT_TRUE(sdlplat::writeBmp24(path, 1, 1, rgb));
    std::ifstream f(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(bytes, sdlplat::encodeBmp24(1, 1, rgb));
}
