#include <string>

#include "test_support.h"
#include "ui/text.h"

namespace {

using TextDrawer = GameTest;

TEST_F(TextDrawer, FormatsAndBoxesTwentyPixelsPerCharacter) {
    drawText(30, 40, 0x80102030, "%s: %d", "Seed", -7);
    drawText(0, 0, kWhite, "%s", "");
    const char* none = nullptr;
    // The null format is the point here, not a mistake for the compiler to catch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
    drawText(5, 5, kWhite, none);  // draws nothing at all
#pragma GCC diagnostic pop

    const auto& texts = headless::currentFrame().texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Seed: -7");
    EXPECT_EQ(texts[0].left, 30);
    EXPECT_EQ(texts[0].top, 40);
    EXPECT_EQ(texts[0].right, 30 + 20 * 8);
    EXPECT_EQ(texts[0].bottom, 60);
    EXPECT_EQ(texts[0].argb, 0x80102030u);
    EXPECT_EQ(texts[1].right, 0);  // an empty text has an empty box
}

TEST_F(TextDrawer, OverlongTextIsCutToTheBufferNotOverrun) {
    const std::string huge(5000, 'x');
    drawText(1, 2, kBlack, "%s", huge.c_str());
    const auto& texts = headless::currentFrame().texts;
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, std::string(kTextBufferSize - 1, 'x'));
    EXPECT_EQ(texts[0].right, 1 + 20 * (kTextBufferSize - 1));
}

}  // namespace
