// What the display shows of the player: the debug lines with the values of
// their owners, and the death screen.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "game/controls.h"
#include "game/player.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "render/polygons.h"
#include "ui/draw_checks.h"
#include "ui/hud.h"
#include "ui/screen_common.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

using PlayerDisplay = ScreenTest;

void setOwnersValues() {
    game.world.Seed = 1234567890;
    game.play.controls.Collide = 1;
    game.play.player.xzRotCamera = 0.25f;
    game.play.player.yRotCamera = -1.5707964f;
    game.play.target = Target{Vec3{3.0f, 4.0f, 5.0f}, 6};
    addPolygons(game.renderer, 4242);
    game.play.player.Position = Vec3{500.5f, 102.001f, -3.25f};
    game.world.DayTime = 120;
    game.world.SubDayTime = 17;
}

const std::vector<std::string> kNineLines = {
    textLine(655, 530, kWhite, "Seed: 1234567890"),
    textLine(10, 490, kWhite, "Collide: 1"),
    textLine(10, 510, kWhite, "xzRotCamera: 0.250000, yRotCamera: -1.570796"),
    textLine(10, 530, kWhite, "NewBlock: 6"),
    textLine(10, 550, kWhite, "Polygons: 4242"),
    textLine(200, 550, kWhite, "Position: 500.500000, 102.000999, -3.250000"),
    textLine(690, 490, kWhite, "DayTime: 120"),
    textLine(670, 510, kWhite, "SubDayTime: 17"),
    textLine(630, 470, kWhite, "TimeLuminance: 0.562500"),
};

TEST_F(PlayerDisplay, DebugLinesShowTheirOwnersValuesAtTheirPlaces) {
    setOwnersValues();
    drawDebugLines(renderer, world, options, game.play, 9);
    EXPECT_EQ(describeTexts(headless::currentFrame()), kNineLines);
}

TEST_F(PlayerDisplay, F3AndEDecideWhatThePlayingScreenShows) {
    setOwnersValues();
    const auto has = [](const headless::Frame& f, const std::string& line) {
        const auto texts = describeTexts(f);
        return std::find(texts.begin(), texts.end(), line) != texts.end();
    };
    EXPECT_FALSE(has(draw(GameState::Playing), kNineLines[0]));
    game.play.controls.debugInfoVisible = 1;
    const auto& shown = draw(GameState::Playing);
    // The frame's own picking and drawing decide NewBlock and Polygons; the
    // lines show what this frame found.
    char newBlock[32], polygonCount[32];
    std::snprintf(newBlock, sizeof newBlock, "NewBlock: %d", game.play.target.NewBlock);
    std::snprintf(polygonCount, sizeof polygonCount, "Polygons: %d", polygons(renderer));
    for (const auto& line : kNineLines) {
        if (line == kNineLines[3])
            EXPECT_TRUE(has(shown, textLine(10, 530, kWhite, newBlock)));
        else if (line == kNineLines[4])
            EXPECT_TRUE(has(shown, textLine(10, 550, kWhite, polygonCount)));
        else
            EXPECT_TRUE(has(shown, line)) << line;
    }
    game.play.controls.hudVisible = 0;
    const auto& hidden = draw(GameState::Playing);
    EXPECT_TRUE(hidden.texts.empty());
    EXPECT_TRUE(hidden.sprites.empty());
}

TEST_F(PlayerDisplay, TheDeathScreenHasADarkCrosshairAndSixDebugLines) {
    setOwnersValues();
    game.play.controls.debugInfoVisible = 1;
    game.play.controls.selectedSlot = 2;
    game.FPS = 30;
    english();
    const auto& frame = draw(GameState::Dead);
    EXPECT_EQ(frame.clears, std::vector<uint32_t>{skyColour(0.5625f)});
    // The crosshair: ten 2 x 2 pieces of the dark square, half-transparent.
    ASSERT_GE(frame.sprites.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        const auto& s = frame.sprites[i];
        EXPECT_EQ(s.texture, 13);
        EXPECT_EQ(s.argb, 0x88FFFFFFu);
        ASSERT_TRUE(s.hasSource);
        EXPECT_EQ(s.source.width, 2);
        EXPECT_EQ(s.source.height, 2);
    }
    EXPECT_EQ(describeSprites(frame)[0], "13@399,277");
    // The hotbar with its frame on the selected cell, then the status strip.
    const auto sprites = describeSprites(frame);
    EXPECT_NE(std::find(sprites.begin(), sprites.end(), "45@284,478"), sprites.end());
    EXPECT_NE(std::find(sprites.begin(), sprites.end(), "90@0,0"), sprites.end());

    const auto texts = describeTexts(frame);
    const std::vector<std::string> six(kNineLines.begin(), kNineLines.begin() + 6);
    auto first = std::find(texts.begin(), texts.end(), six[0]);
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(std::vector<std::string>(first, first + 6), six);
    for (int i = 6; i < 9; ++i)
        EXPECT_EQ(std::find(texts.begin(), texts.end(), kNineLines[i]), texts.end());
    const std::vector<std::string> tail(texts.end() - 4, texts.end() - 1);
    EXPECT_EQ(tail, closingTexts(30, 40, false));
    EXPECT_EQ(texts.back(), textLine(250, 450, kWhite, "You died. Press Enter to continue . . ."));
}

TEST_F(PlayerDisplay, WithTheDisplayHiddenTheDeathScreenShowsOnlyItsMessage) {
    game.play.controls.hudVisible = 0;
    game.play.controls.debugInfoVisible = 1;
    italianLanguage();
    const auto& frame = draw(GameState::Dead);
    EXPECT_TRUE(frame.sprites.empty());
    EXPECT_EQ(describeTexts(frame),
              std::vector<std::string>{
                  textLine(250, 450, kWhite, "Sei morto. Premi Enter per continuare . . .")});
}

}  // namespace
