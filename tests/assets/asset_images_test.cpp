// The committed bitmaps: exactly what the painter makes, in the strict BMP form
// the loader expects, and pictures that do their jobs (opaque faces, transparent
// icon backgrounds, growing cracks, readable menu texts).
#ifdef VELMORA_ASSET_IMAGES_DIR

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "art_table.h"
#include "image.h"

namespace {

using art::Image;
using art::kClear;
using art::Rgb;

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string imagePath(int resource) {
    return std::string(VELMORA_ASSET_IMAGES_DIR) + "/" + art::resourceFileName(resource);
}

uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// A reader of its own, strict about the one form the game ships: 24-bit BI_RGB,
// bottom-up rows padded with zeros. Returns an empty image (w = 0) and a reason
// when the file is anything else.
Image readStrictBmp(const std::vector<uint8_t>& b, std::string& problem) {
    problem.clear();
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return problem = "not a BMP", Image{};
    if (le32(b, 2) != b.size()) return problem = "file size field is wrong", Image{};
    if (le32(b, 10) != 54 || le32(b, 14) != 40)
        return problem = "unexpected header layout", Image{};
    const int w = int(le32(b, 18));
    const int32_t h = int32_t(le32(b, 22));
    if (h <= 0) return problem = "rows are not stored bottom-up", Image{};
    if (le16(b, 26) != 1 || le16(b, 28) != 24) return problem = "not 24 bits per pixel", Image{};
    if (le32(b, 30) != 0) return problem = "compressed", Image{};
    const size_t row = (size_t(w) * 3 + 3) / 4 * 4;
    if (b.size() != 54 + row * size_t(h))
        return problem = "pixel data has the wrong length", Image{};
    if (le32(b, 34) != 0 && le32(b, 34) != row * size_t(h))
        return problem = "image size field", Image{};
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        const size_t at = 54 + row * size_t(h - 1 - y);
        for (int x = 0; x < w; ++x)
            img.set(x, y, {b[at + 3 * x + 2], b[at + 3 * x + 1], b[at + 3 * x]});
        for (size_t pad = size_t(w) * 3; pad < row; ++pad)
            if (b[at + pad] != 0) return problem = "non-zero row padding", Image{};
    }
    return img;
}

Image committedTexture(int texture) {
    std::string problem;
    Image img = readStrictBmp(readFile(imagePath(art::resourceOfTexture(texture))), problem);
    EXPECT_EQ(problem, "") << "texture " << texture;
    return img;
}

int lum(Rgb c) {
    return (c.r * 299 + c.g * 587 + c.b * 114) / 1000;
}

double meanLuminance(const Image& img, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) sum += lum(img.get(x, y));
    return sum / double((x1 - x0 + 1) * (y1 - y0 + 1));
}

int countWhere(const Image& img, bool (*pred)(Rgb)) {
    int n = 0;
    for (const Rgb c : img.px) n += pred(c) ? 1 : 0;
    return n;
}

bool isClear(Rgb c) {
    return c == kClear;
}

}  // namespace

TEST(BmpEncoding, WritesBottomUpBgrRowsPaddedToFourBytes) {
    Image img(3, 2);
    img.set(0, 0, {1, 2, 3});
    img.set(1, 0, {4, 5, 6});
    img.set(2, 0, {7, 8, 9});
    img.set(0, 1, {10, 11, 12});
    img.set(1, 1, {13, 14, 15});
    img.set(2, 1, {16, 17, 18});
    const auto b = art::encodeBmp(img);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 18), 3u);
    EXPECT_EQ(int32_t(le32(b, 22)), 2);
    EXPECT_EQ(le32(b, 34), 24u);
    // First stored row is the bottom one; each texel is blue, green, red; 3 zero pad bytes.
    const std::vector<uint8_t> pixels(b.begin() + 54, b.end());
    const std::vector<uint8_t> expected = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,
                                           3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0};
    EXPECT_EQ(pixels, expected);
}

TEST(BmpEncoding, RowsOfWidthsThatNeedNoPaddingGetNone) {
    const Image img(4, 3, {9, 9, 9});
    EXPECT_EQ(art::encodeBmp(img).size(), 54u + 3 * 12);
}

TEST(AssetNumbering, TextureNIsResourceNPlusOneAndTexture103IsResource0) {
    EXPECT_EQ(art::resourceOfTexture(0), 1);
    EXPECT_EQ(art::resourceOfTexture(102), 103);
    EXPECT_EQ(art::resourceOfTexture(103), 0);
    for (int t = 0; t < art::kTextureCount; ++t) {
        EXPECT_EQ(art::textureOfResource(art::resourceOfTexture(t)), t);
        EXPECT_EQ(art::picture(t).texture, t) << "table row out of order";
    }
    EXPECT_EQ(art::resourceFileName(7), "007.bmp");
}

TEST(AssetImages, CommittedFilesAreExactlyWhatThePainterMakes) {
    for (int r = 0; r < art::kTextureCount; ++r) {
        const auto onDisk = readFile(imagePath(r));
        ASSERT_FALSE(onDisk.empty()) << imagePath(r) << " is missing";
        EXPECT_TRUE(onDisk == art::resourceBmp(r))
            << imagePath(r) << " differs from the painter's output; rebuild the target "
            << "repaint_assets and commit the result";
    }
    const auto readme = readFile(std::string(VELMORA_ASSET_IMAGES_DIR) + "/../README.md");
    EXPECT_EQ(std::string(readme.begin(), readme.end()), art::readmeText());
}

TEST(AssetImages, PaintingIsRepeatableWithinOneRun) {
    // A painter that kept state between calls would give a different second picture.
    for (int t : {0, 5, 30, 37, 43, 66, 90, 103})
        EXPECT_TRUE(art::paintTexture(t).px == art::paintTexture(t).px) << "texture " << t;
}

TEST(AssetImages, EveryFileIsAStrictBmpOfItsRequiredSize) {
    const std::map<int, std::pair<int, int>> special = {
        {13, {2, 2}},   {15, {36, 36}},  {44, {1024, 1024}}, {45, {16, 16}},
        {46, {36, 36}}, {91, {800, 32}}, {0, {48, 48}}};
    for (int r = 0; r < art::kTextureCount; ++r) {
        std::string problem;
        const Image img = readStrictBmp(readFile(imagePath(r)), problem);
        ASSERT_EQ(problem, "") << imagePath(r);
        const auto it = special.find(r);
        const auto size = it == special.end() ? std::pair{32, 32} : it->second;
        EXPECT_EQ(img.w, size.first) << imagePath(r);
        EXPECT_EQ(img.h, size.second) << imagePath(r);
    }
}

TEST(AssetImages, NoTwoPicturesAreTheSame) {
    std::vector<Image> all;
    for (int t = 0; t < art::kTextureCount; ++t) all.push_back(art::paintTexture(t));
    for (int a = 0; a < art::kTextureCount; ++a)
        for (int b = a + 1; b < art::kTextureCount; ++b)
            EXPECT_FALSE(all[a].w == all[b].w && all[a].h == all[b].h && all[a].px == all[b].px)
                << "textures " << a << " and " << b << " are identical";
}

TEST(AssetPictures, BlockFacesHaveNoTransparentHoles) {
    for (int t = 0; t < art::kTextureCount; ++t) {
        if (art::picture(t).kind != art::Kind::Face) continue;
        EXPECT_EQ(countWhere(committedTexture(t), isClear), 0) << "texture " << t;
    }
}

TEST(AssetPictures, IconsStandOnATransparentBackground) {
    for (int t = 0; t < art::kTextureCount; ++t) {
        if (art::picture(t).kind != art::Kind::Icon) continue;
        const Image img = committedTexture(t);
        EXPECT_TRUE(isClear(img.get(0, 0)) && isClear(img.get(31, 0)) && isClear(img.get(0, 31)) &&
                    isClear(img.get(31, 31)))
            << "texture " << t << " corners";
        const int painted = 32 * 32 - countWhere(img, isClear);
        EXPECT_GT(painted, 40) << "texture " << t << " is nearly empty";
        EXPECT_LT(painted, 32 * 32 * 3 / 4) << "texture " << t << " has no background";
    }
}

TEST(AssetPictures, CellFramesAreOpaqueRingsAroundATransparentInside) {
    for (int t : {14, 45}) {
        const Image img = committedTexture(t);
        ASSERT_EQ(img.w, 36);
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 36; ++x) {
                const bool ring = x < 2 || y < 2 || x > 33 || y > 33;
                if (ring) {
                    EXPECT_FALSE(isClear(img.get(x, y))) << t << " at " << x << "," << y;
                }
            }
        // The inside may carry small corner studs but must leave the icon visible.
        int clearInside = 0;
        for (int y = 2; y < 34; ++y)
            for (int x = 2; x < 34; ++x) clearInside += isClear(img.get(x, y));
        EXPECT_GE(clearInside, 32 * 32 - 8) << "texture " << t;
        EXPECT_NE(img.get(0, 0), committedTexture(t == 14 ? 45 : 14).get(0, 0))
            << "mark and cursor frames must be told apart";
    }
}

TEST(AssetPictures, CracksAreGreyAndGrowStageByStage) {
    Image previous = committedTexture(30);
    auto dark = [](Rgb c) { return c.r < 128; };
    int previousDark = 0;
    for (const Rgb c : previous.px) previousDark += dark(c);
    EXPECT_GT(previousDark, 0);
    EXPECT_LT(previousDark, 32 * 32 / 20) << "the first stage is a small crack";
    for (int t = 30; t <= 37; ++t) {
        const Image img = committedTexture(t);
        int darkCount = 0;
        for (size_t i = 0; i < img.px.size(); ++i) {
            const Rgb c = img.px[i];
            // Grey only: the minimum blend must darken a face, never tint it.
            ASSERT_TRUE(c.r == c.g || std::abs(c.r - c.g) <= 4) << t;
            ASSERT_TRUE(std::abs(c.g - c.b) <= 4) << t;
            darkCount += dark(c);
            // A crack, once shown, stays in every later stage.
            if (t > 30) {
                EXPECT_LE(lum(c), lum(previous.px[i]) + 1) << t;
            }
        }
        if (t > 30) {
            EXPECT_GT(darkCount, previousDark) << "stage " << t - 30 << " adds nothing";
        }
        previous = img;
        previousDark = darkCount;
    }
    EXPECT_GT(meanLuminance(previous, 0, 0, 31, 31), 128)
        << "even the last stage stays mostly light";
}

TEST(AssetPictures, InterfaceBitsLookAsTheScreensExpect) {
    const Image dot = committedTexture(12);
    for (const Rgb c : dot.px) EXPECT_EQ(c, (Rgb{255, 255, 255}));

    const Image square = committedTexture(13);
    EXPECT_EQ(countWhere(square, isClear), 0);
    EXPECT_LT(meanLuminance(square, 0, 0, 31, 31), 70);

    // A white right-pointing triangle on black: wide on the left, a point on the right.
    const Image arrow = committedTexture(44);
    EXPECT_EQ(countWhere(arrow, isClear), 0);
    EXPECT_EQ(arrow.get(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(arrow.get(15, 15), (Rgb{0, 0, 0}));
    EXPECT_EQ(arrow.get(4, 4), (Rgb{255, 255, 255}));
    EXPECT_EQ(arrow.get(4, 12), (Rgb{255, 255, 255}));
    EXPECT_EQ(arrow.get(12, 8), (Rgb{255, 255, 255}));
    EXPECT_EQ(arrow.get(12, 4), (Rgb{0, 0, 0}));

    // The status numbers are black on the strip at (96k + 64, 6).
    const Image strip = committedTexture(90);
    EXPECT_EQ(countWhere(strip, isClear), 0);
    for (int k = 0; k < 6; ++k)
        EXPECT_GT(meanLuminance(strip, 96 * k + 64, 6, 96 * k + 95, 20), 180);

    // The wireframe outline around the target block takes its colour from the rim.
    const Image plain = committedTexture(103);
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(plain.get(i, 0), (Rgb{0, 0, 0}));
        EXPECT_EQ(plain.get(0, i), (Rgb{0, 0, 0}));
        EXPECT_EQ(plain.get(i, 47), (Rgb{0, 0, 0}));
        EXPECT_EQ(plain.get(47, i), (Rgb{0, 0, 0}));
    }
}

TEST(AssetPictures, MenuBackgroundKeepsEveryTextReadable) {
    const Image bg = committedTexture(43);
    EXPECT_EQ(countWhere(bg, isClear), 0);
    // Black menu texts, titles, cell counts and item names stand on the light panel.
    EXPECT_GT(meanLuminance(bg, 300, 220, 700, 380), 200);
    EXPECT_GT(meanLuminance(bg, 180, 130, 620, 540), 200);
    for (int y = 220; y <= 380; y += 4)
        for (int x = 300; x <= 640; x += 4)
            ASSERT_GT(lum(bg.get(x, y)), 170) << "dark spot at " << x << "," << y;
    // White credit lines at the top left and the frame counter at the bottom right.
    EXPECT_LT(meanLuminance(bg, 10, 10, 520, 75), 100);
    EXPECT_LT(meanLuminance(bg, 720, 550, 799, 570), 100);
}

#endif  // VELMORA_ASSET_IMAGES_DIR
