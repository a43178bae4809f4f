#include <algorithm>
#include <vector>

#include "game/catalogue.h"

#include "app/game_state.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "platform/keys.h"
#include "ui/draw_checks.h"
#include "ui/notice.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kFullDaySky = 0xFF4B7DF5;  // (75, 125, 245)

using Screens = ScreenTest;

// ---- common frame rules -------------------------------------------------------

const GameState kDrawnStates[] = {
    GameState::Busy,        GameState::MainMenu,    GameState::Playing,
    GameState::Dead,        GameState::Options,     GameState::QuitConfirm,
    GameState::Pause,       GameState::WorldSelect, GameState::InventoryScreen,
    GameState::ChestScreen,
};

TEST_F(Screens, EveryDrawnStateIsOneSceneThenOnePresent) {
    for (GameState s : kDrawnStates) {
        const auto& frame = draw(s);
        EXPECT_EQ(frame.scenesBegun, 1) << int(s);
        EXPECT_EQ(frame.scenesEnded, 1) << int(s);
        // The closing texts are last on every screen but the death screen.
        if (s != GameState::Dead) {
            ASSERT_GE(frame.texts.size(), 3u);
            EXPECT_EQ(frame.texts[frame.texts.size() - 3].left, 720) << int(s);
        }
    }
    EXPECT_TRUE(headless::errorBoxes().empty());
}

TEST_F(Screens, StatesWithoutAScreenPresentWithoutDrawing) {
    for (int value : {0, 2, 13, 200}) {
        const auto& frame = draw(static_cast<GameState>(value));
        EXPECT_EQ(frame.scenesBegun, 0) << value;
        EXPECT_TRUE(frame.texts.empty() && frame.sprites.empty() && frame.clears.empty());
    }
}

TEST_F(Screens, FailedSceneIsReportedAndNothingIsPresented) {
    headless::setBeginSceneFails(true);
    for (GameState s : kDrawnStates) {
        game.gameState = s;
        EXPECT_LT(drawFrame(), 0) << int(s);
    }
    EXPECT_EQ(headless::presentCount(), 0);
    ASSERT_EQ(headless::errorBoxes().size(), std::size(kDrawnStates));
    for (const auto& box : headless::errorBoxes()) {
        EXPECT_EQ(box.title, "ERRORE");
        EXPECT_EQ(box.text, "Impossibile creare la scena.");
    }
    // The pulse did not move for frames that were never drawn.
    EXPECT_EQ(game.busyPulse.alpha, 251);
}

TEST_F(Screens, MissingDeviceIsReportedBeforeAnyScene) {
    headless::setDeviceMissing(true);
    EXPECT_LT(drawFrame(), 0);
    EXPECT_EQ(headless::presentCount(), 0);
    EXPECT_EQ(headless::currentFrame().scenesBegun, 0);
    ASSERT_EQ(headless::errorBoxes().size(), 1u);
    EXPECT_EQ(headless::errorBoxes()[0].title, "ERRORE");
    EXPECT_EQ(headless::errorBoxes()[0].text, "Errore nel caricamento del Device.");
}

// ---- progress screen ------------------------------------------------------------

TEST_F(Screens, PulseFallsToEightyThreeHoldsOneFrameAndRisesBack) {
    std::vector<int> expected;
    for (int a = 243; a >= 83; a -= 8) expected.push_back(a);  // 243 .. 91, 83
    for (int a = 83; a <= 251; a += 8) expected.push_back(a);  // 83 again, 91 .. 251
    expected.push_back(243);
    expected.push_back(235);

    Pulse pulse;
    std::vector<int> stepped;
    for (size_t i = 0; i < expected.size(); ++i) {
        pulse = nextPulse(pulse);
        stepped.push_back(pulse.alpha);
    }
    EXPECT_EQ(stepped, expected);

    // The word steps once per 66 ms of the Busy state's updates, however
    // often it is drawn, and carries the pulse as its alpha, black otherwise.
    std::vector<int> drawn;
    game.gameState = GameState::Busy;
    for (size_t i = 0; i < expected.size(); ++i) {
        for (int32_t t : {0, 30, 65}) {
            headless::setClock(int32_t(66 * (i + 1)) + t);
            ASSERT_EQ(frameUpdate(), 0);
        }
        const auto* t = draw(GameState::Busy).findText("Caricamento ...");
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->argb & 0x00FFFFFFu, 0u);
        drawn.push_back(int(t->argb >> 24));
    }
    EXPECT_EQ(drawn, expected);
}

TEST_F(Screens, ProgressScreenWordsAndFixedFrameCounter) {
    game.FPS = 97;  // not what this screen shows
    italianLanguage();
    auto frame = draw(GameState::Busy);
    std::vector<std::string> texts = {textLine(350, 450, 251u << 24, "Caricamento ...")};
    for (auto& line : closingTexts(15, 10, true)) texts.push_back(line);
    EXPECT_EQ(describeTexts(frame), texts);
    EXPECT_EQ(describeSprites(frame), std::vector<std::string>{"43@0,0"});
    EXPECT_TRUE(frame.sprites[0].hasSource);
    EXPECT_EQ(frame.sprites[0].source.width, 800);

    english();
    game.savingInProgress = 1;
    frame = draw(GameState::Busy);
    EXPECT_NE(frame.findText("Saving ..."), nullptr);
    EXPECT_NE(frame.findText("FPS: 15"), nullptr);
    italianLanguage();
    EXPECT_NE(draw(GameState::Busy).findText("Salvataggio ..."), nullptr);
    game.savingInProgress = 0;
    english();
    EXPECT_NE(draw(GameState::Busy).findText("Loading ..."), nullptr);
}

TEST_F(Screens, TheProgressScreenDrawsAndUpdatesNothing) {
    game.frame.now = game.lastUpdateTime = 100;
    headless::setClock(5000);
    for (uint8_t saving : {0, 1}) {
        game.savingInProgress = saving;
        draw(GameState::Busy);
        EXPECT_EQ(game.frame.now, 100);
        EXPECT_EQ(game.lastUpdateTime, 100);
    }
    EXPECT_EQ(game.gameState, GameState::Busy);
}

TEST_F(Screens, NoticeShowsOnTheProgressScreen) {
    game.notice = makeNotice(game.frame.now, "Slot damaged", "Slot danneggiato");
    english();
    const auto* t = draw(GameState::Busy).findText("Slot damaged");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->top, 400);
}

// ---- death screen -----------------------------------------------------------------

TEST_F(Screens, DeathScreenWithDisplayAndDebugShowsSixDebugLines) {
    game.play.controls.hudVisible = 1;
    game.play.controls.debugInfoVisible = 1;
    world.Seed = 4242;
    world.DayTime = 0;  // noon: the sky at full brightness
    game.play.player.Position = Vec3{1.5f, -101.0f, 2.25f};
    game.FPS = 33;
    english();
    const auto& frame = draw(GameState::Dead);

    EXPECT_EQ(frame.clears, std::vector<uint32_t>{kFullDaySky});
    std::vector<std::string> got = describeTexts(frame);
    ASSERT_EQ(got.size(), 6u + 6u + 3u + 1u);  // status, debug, closing, message
    const std::vector<std::string> debug(got.begin() + 6, got.begin() + 12);
    EXPECT_EQ(debug, (std::vector<std::string>{
                         textLine(655, 530, kWhite, "Seed: 4242"),
                         textLine(10, 490, kWhite, "Collide: 0"),
                         textLine(10, 510, kWhite, "xzRotCamera: 0.000000, yRotCamera: 0.000000"),
                         textLine(10, 530, kWhite, "NewBlock: 0"),
                         textLine(10, 550, kWhite, "Polygons: 0"),
                         textLine(200, 550, kWhite, "Position: 1.500000, -101.000000, 2.250000"),
                     }));
    const std::vector<std::string> tail(got.begin() + 12, got.end());
    auto expectedTail = closingTexts(33, 40, false);
    expectedTail.push_back(textLine(250, 450, kWhite, "You died. Press Enter to continue . . ."));
    EXPECT_EQ(tail, expectedTail);

    // The crosshair is made of the dark square, half transparent.
    int crosshairDots = 0;
    for (const auto& s : frame.sprites) {
        if (s.texture == 13 && s.argb == 0x88FFFFFFu) {
            ++crosshairDots;
            EXPECT_TRUE(s.hasSource && s.source.width == 2 && s.source.height == 2);
            EXPECT_TRUE(s.x == 399 || s.y == 281) << s.x << "," << s.y;
        }
    }
    EXPECT_EQ(crosshairDots, 10);
    // Hotbar and status strip are there too.
    const auto sprites = describeSprites(frame);
    EXPECT_NE(std::find(sprites.begin(), sprites.end(), "90@0,0"), sprites.end());
    EXPECT_NE(std::find(sprites.begin(), sprites.end(), "45@188,478"), sprites.end());
}

TEST_F(Screens, DeathScreenWithoutDisplayShowsOnlySkyAndMessage) {
    game.play.controls.hudVisible = 0;
    game.play.controls.debugInfoVisible = 1;
    world.DayTime = 0;
    italianLanguage();
    const auto& frame = draw(GameState::Dead);
    EXPECT_EQ(frame.clears, std::vector<uint32_t>{kFullDaySky});
    EXPECT_TRUE(frame.sprites.empty());
    EXPECT_EQ(describeTexts(frame),
              std::vector<std::string>{
                  textLine(250, 450, kWhite, "Sei morto. Premi Enter per continuare . . .")});
}

// ---- inventory and chest screens ---------------------------------------------------

const headless::SpriteCall* spriteAt(const headless::Frame& f, int texture, int x, int y) {
    for (const auto& s : f.sprites)
        if (s.texture == texture && s.x == x && s.y == y) return &s;
    return nullptr;
}

int countTexture(const headless::Frame& f, int texture) {
    int n = 0;
    for (const auto& s : f.sprites) n += s.texture == texture;
    return n;
}

TEST_F(Screens, InventoryScreenLaysOutFourRowsWithCursorMarkAndCounts) {
    world.slots[0] = {62, 1};
    world.slots[10] = {3, 250};
    world.slots[35] = {5, 2};
    world.slots[20] = {0, 7};  // an emptied cell with a stale count shows none
    game.play.itemScreen.cursor = 35;
    game.play.itemScreen.markedCell = 10;
    game.FPS = 12;
    english();
    const auto& frame = draw(GameState::InventoryScreen);

    EXPECT_EQ(frame.sprites.front().texture, 43);
    // 36 icons, one cursor frame, one mark frame, background.
    EXPECT_EQ(frame.sprites.size(), 36u + 3u);
    EXPECT_NE(spriteAt(frame, iconTexture(62), 190, 480), nullptr);  // hotbar row
    EXPECT_NE(spriteAt(frame, iconTexture(3), 190 + 48, 432), nullptr);
    EXPECT_NE(spriteAt(frame, iconTexture(5), 190 + 8 * 48, 336), nullptr);  // top row
    EXPECT_NE(spriteAt(frame, 13, 190 + 2 * 48, 384), nullptr);              // empty cell 20
    EXPECT_NE(spriteAt(frame, 45, 188 + 8 * 48, 334), nullptr);              // cursor on 35
    EXPECT_NE(spriteAt(frame, 14, 188 + 48, 430), nullptr);                  // mark on 10
    EXPECT_EQ(countTexture(frame, 45), 1);
    EXPECT_EQ(countTexture(frame, 14), 1);

    std::vector<std::string> texts = {
        textLine(202 + 48, 500 - 48, kBlack, "250"),
        textLine(202 + 8 * 48, 500 - 3 * 48, kBlack, "2"),
        textLine(400, 285, kBlack, "Inventory"),
    };
    char name[256] = {};
    itemName(5, settings, name);
    texts.push_back(textLine(400, 520, kBlack, name));
    for (auto& line : closingTexts(12, 10, false)) texts.push_back(line);
    EXPECT_EQ(describeTexts(frame), texts);
}

TEST_F(Screens, ChestScreenAddsThreeRowsAboveAGapAndItsTitle) {
    world.slots[36] = {4, 9};
    world.slots[62] = {6, 1};
    game.play.itemScreen.cursor = 62;
    italianLanguage();
    const auto& frame = draw(GameState::ChestScreen);
    EXPECT_EQ(frame.sprites.size(), 63u + 2u);  // no mark
    EXPECT_NE(spriteAt(frame, iconTexture(4), 190, 240), nullptr);
    EXPECT_NE(spriteAt(frame, iconTexture(6), 190 + 8 * 48, 144), nullptr);
    EXPECT_NE(spriteAt(frame, 45, 188 + 8 * 48, 142), nullptr);
    // Nothing is drawn in the gap row between inventory and chest.
    for (const auto& s : frame.sprites) EXPECT_FALSE(s.y == 288 || s.y == 286);
    const auto* count = frame.findText("9");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->left, 202);
    EXPECT_EQ(count->top, 260);
    const auto* title = frame.findText("Baule");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->left, 400);
    EXPECT_EQ(title->top, 285);
    english();
    EXPECT_NE(draw(GameState::ChestScreen).findText("Chest"), nullptr);
    game.play.itemScreen.cursor = 0;
    italianLanguage();
    EXPECT_NE(draw(GameState::InventoryScreen).findText("Inventario"), nullptr);
}

}  // namespace
