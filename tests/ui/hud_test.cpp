#include <vector>

#include "app/game_state.h"
#include "game/catalogue.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "ui/draw_checks.h"
#include "ui/hud.h"
#include "ui/notice.h"
#include "ui/screen_common.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

using Hud = ScreenTest;

void fillInventory() {
    for (int c = 0; c < kInventoryCells; ++c) game.world.slots[c] = {1, 1};
}

TEST_F(Hud, SkyColourAtNoonAndAtDeepestNight) {
    EXPECT_EQ(skyColour(1.0f), 0xFF4B7DF5u);     // (75, 125, 245)
    EXPECT_EQ(skyColour(0.5625f), 0xFF131F43u);  // (19, 31, 67), truncated
}

TEST_F(Hud, StatusStripShowsGaugesAndCountersInSixSlots) {
    world.gauges[1][0] = 2;
    world.counters[0] = 7;
    world.counters[2] = 250;
    drawStatusStrip(world, options);
    const auto& frame = headless::currentFrame();
    EXPECT_EQ(describeSprites(frame),
              (std::vector<std::string>{"90@0,0", "91@0,0", "42@32,0", "92@96,0", "42@128,0",
                                        "38@192,0", "42@224,0", "39@288,0", "42@320,0", "40@384,0",
                                        "42@416,0", "41@480,0", "42@512,0"}));
    EXPECT_EQ(
        describeTexts(frame),
        (std::vector<std::string>{textLine(64, 6, kBlack, "10/10"), textLine(160, 6, kBlack, "2/5"),
                                  textLine(256, 6, kBlack, "3/3"), textLine(352, 6, kBlack, "7"),
                                  textLine(448, 6, kBlack, "0"), textLine(544, 6, kBlack, "250")}));
}

TEST_F(Hud, FreeCellLineCountsOnlyTypelessCellsInBothLanguages) {
    fillInventory();
    world.slots[36] = {0, 0};  // the chest copy is not the inventory
    english();
    drawFreeCellLine(world, options, settings);
    world.slots[17] = {0, 0};
    world.slots[18] = {9, 0};  // a type with count 0 is not free
    drawFreeCellLine(world, options, settings);
    italianLanguage();
    fillInventory();
    drawFreeCellLine(world, options, settings);
    world.slots[3] = {0, 0};
    drawFreeCellLine(world, options, settings);
    EXPECT_EQ(describeTexts(headless::currentFrame()),
              (std::vector<std::string>{textLine(340, 460, kWhite, "Full inventory!"),
                                        textLine(340, 460, kWhite, "Free remaining cells: 1"),
                                        textLine(340, 460, kWhite, "Inventario pieno!"),
                                        textLine(340, 460, kWhite, "Celle libere rimaste: 1")}));
}

TEST_F(Hud, PlayingFrameWithDisplayAndDebugLines) {
    resetWorldValues(world);  // a new player's axe in the first cell
    world.slots[4] = {7, 3};
    game.play.controls.selectedSlot = 4;
    game.play.itemScreen.markedCell = 4;  // a mark means nothing while playing
    game.play.controls.debugInfoVisible = 1;
    game.FPS = 58;
    english();
    const auto& frame = draw(GameState::Playing);
    // A new world's DayTime of 180 is a brightness of 0.78125.
    EXPECT_EQ(frame.clears, std::vector<uint32_t>{skyColour(0.78125f)});

    // Crosshair: ten half-white dots, then nine hotbar icons with the cursor on 4.
    const auto sprites = describeSprites(frame);
    ASSERT_GE(sprites.size(), 20u);
    const std::vector<std::string> cross(sprites.begin(), sprites.begin() + 10);
    EXPECT_EQ(cross, (std::vector<std::string>{
                         "12@399,277", "12@395,281", "12@399,279", "12@397,281", "12@399,281",
                         "12@399,281", "12@399,283", "12@401,281", "12@399,285", "12@403,281"}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(frame.sprites[i].argb, 0x88FFFFFFu);
    int cursorFrames = 0, markFrames = 0, icons = 0;
    for (const auto& s : frame.sprites) {
        cursorFrames += s.texture == 45;
        markFrames += s.texture == 14;
        icons += s.y == 480;
    }
    EXPECT_EQ(cursorFrames, 1);
    EXPECT_EQ(markFrames, 0);
    EXPECT_EQ(icons, 9);
    EXPECT_NE(std::find(sprites.begin(), sprites.end(), "45@380,478"), sprites.end());

    const auto texts = describeTexts(frame);
    // Count of the hotbar cell, six status numbers, nine debug lines,
    // free cells, three closing texts.
    ASSERT_EQ(texts.size(), 1u + 6u + 9u + 1u + 3u);
    EXPECT_EQ(texts[0], textLine(394, 500, kBlack, "3"));
    EXPECT_EQ(texts[13], textLine(690, 490, kWhite, "DayTime: 180"));
    EXPECT_EQ(texts[14], textLine(670, 510, kWhite, "SubDayTime: 0"));
    EXPECT_EQ(texts[15], textLine(630, 470, kWhite, "TimeLuminance: 0.781250"));
    EXPECT_EQ(texts[16], textLine(340, 460, kWhite, "Free remaining cells: 34"));
    const std::vector<std::string> tail(texts.end() - 3, texts.end());
    EXPECT_EQ(tail, closingTexts(58, 40, false));
}

TEST_F(Hud, HiddenDisplayLeavesOnlyTheWorld) {
    game.play.controls.hudVisible = 0;
    game.play.controls.debugInfoVisible = 1;
    game.notice = makeNotice(game.frame.now, "Saved", "Salvato");
    const auto& frame = draw(GameState::Playing);
    EXPECT_EQ(frame.clears.size(), 1u);
    EXPECT_TRUE(frame.sprites.empty());
    EXPECT_TRUE(frame.texts.empty());

    game.play.controls.hudVisible = 1;
    english();
    const auto& shown = draw(GameState::Playing);
    const auto* t = shown.findText("Saved");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->top, 420);
}

}  // namespace
