// The images compiled into the game: all 104 must decode, in the sizes the
// drawing code assumes (a wrong size shifts every sprite source rectangle).
#include <gtest/gtest.h>

#include "platform/embedded_assets.h"
#include "platform/sdl/image_decode.h"

namespace {

std::pair<int, int> expectedSize(int resource) {
    switch (resource) {
        case 13:
            return {2, 2};
        case 15:
            return {36, 36};
        case 44:
            return {1024, 1024};
        case 45:
            return {16, 16};
        case 46:
            return {36, 36};
        case 91:
            return {800, 32};
        case 0:
            return {48, 48};
        default:
            return {32, 32};
    }
}

}  // namespace

TEST(EmbeddedAssets, EveryBitmapDecodesInItsSize) {
    for (int resource = 0; resource < 104; ++resource) {
        const embedded::Blob blob = embedded::bitmap(resource);
        ASSERT_NE(blob.data, nullptr) << resource;
        // Uncompressed 24-bit files only.
        ASSERT_GT(blob.size, 54u) << resource;
        EXPECT_EQ(blob.data[0], 'B');
        EXPECT_EQ(blob.data[28], 24) << "resource " << resource << " is not 24-bit";
        sdlplat::Image image;
        ASSERT_TRUE(sdlplat::decodeImage(blob.data, blob.size, image)) << resource;
        EXPECT_EQ(std::make_pair(image.width, image.height), expectedSize(resource))
            << "resource " << resource;
    }
    EXPECT_EQ(embedded::bitmap(-1).data, nullptr);
    EXPECT_EQ(embedded::bitmap(104).data, nullptr);
}

TEST(EmbeddedAssets, TheFontIsATrueTypeFile) {
    const embedded::Blob font = embedded::monoBoldFont();
    ASSERT_GT(font.size, 10000u);
    // TrueType outlines start with version 1.0.
    EXPECT_EQ(font.data[0], 0);
    EXPECT_EQ(font.data[1], 1);
    EXPECT_EQ(font.data[2], 0);
    EXPECT_EQ(font.data[3], 0);
}
