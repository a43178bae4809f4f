// The Game state machine driven through the real frame update, one frame at a
// time, with the headless clock and scripted keys.
#include <filesystem>
#include <initializer_list>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "app/world_ops.h"
#include "block_scene.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "game/target.h"
#include "platform/keys.h"
#include "render/camera.h"
#include "render/render_state.h"
#include "test_support.h"
#include "ui/option_rows.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

class StateMachine : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600);
    }
    // One frame update at clock `t` with exactly these keys held.
    int updateAt(int32_t t, std::initializer_list<uint8_t> keys = {}) {
        headless::releaseAllKeys();
        for (uint8_t k : keys) headless::pressKey(k);
        headless::setClock(t);
        return frameUpdate();
    }
    GameState state() const { return game.gameState; }
};

TEST_F(StateMachine, EnterHeldOnPlayDoesNotAlsoPickTheFirstSlot) {
    ASSERT_EQ(updateAt(300, {key::Return}), 0);
    EXPECT_EQ(state(), GameState::WorldSelect);
    EXPECT_EQ(game.worldSlotChoice, 1);
    // Still held: the same press must not act again in the next state.
    updateAt(400, {key::Return});
    updateAt(549, {key::Return});
    EXPECT_EQ(state(), GameState::WorldSelect);
    EXPECT_EQ(game.gate.lastActionTime, 300);
}

TEST_F(StateMachine, MenuStepsRepeatAtMostEvery250ms) {
    updateAt(250, {key::Down});
    EXPECT_EQ(game.mainMenuChoice, 2);
    updateAt(499, {key::Down});
    EXPECT_EQ(game.mainMenuChoice, 2);
    updateAt(500, {key::S});
    EXPECT_EQ(game.mainMenuChoice, 3);
    updateAt(750, {key::Down});  // already at the bottom: nothing moves, no gate used
    EXPECT_EQ(game.mainMenuChoice, 3);
    EXPECT_EQ(game.gate.lastActionTime, 500);
    updateAt(760, {key::W});
    EXPECT_EQ(game.mainMenuChoice, 2);
    // Up and Down together move nothing in the main menu...
    updateAt(2000, {key::Up, key::Down});
    EXPECT_EQ(game.mainMenuChoice, 2);
    EXPECT_EQ(game.gate.lastActionTime, 760);
    // ... while elsewhere the up key is tested first.
    updateAt(2300, {key::Return});  // Options, entered on Cancel
    ASSERT_EQ(state(), GameState::Options);
    EXPECT_EQ(game.optionsChoice, 3);
    updateAt(2600, {key::Up, key::Down});
    EXPECT_EQ(game.optionsChoice, 2);
}

TEST_F(StateMachine, OptionsOpenOnCancelAndTheSecondScreenIsOneRowBelow) {
    const Settings before = settings;
    game.gameState = GameState::MainMenu;
    game.mainMenuChoice = 2;
    updateAt(300, {key::Return});
    ASSERT_EQ(state(), GameState::Options);
    EXPECT_EQ(game.optionsChoice, kOptionsCancelChoice);
    // Enter right away goes back and changes nothing, in memory or on disk.
    updateAt(600, {key::Return});
    EXPECT_EQ(state(), GameState::MainMenu);
    EXPECT_EQ(settings.RenderDistance, before.RenderDistance);
    EXPECT_EQ(settings.Language, before.Language);
    EXPECT_FALSE(std::filesystem::exists(optionsPath()));

    // Down from Cancel reaches More options and stops there.
    updateAt(900, {key::Return});
    updateAt(1200, {key::Down});
    updateAt(1500, {key::Down});
    EXPECT_EQ(game.optionsChoice, kOptionsMoreChoice);
    updateAt(1800, {key::Return});
    ASSERT_EQ(state(), GameState::MoreOptions);
    EXPECT_EQ(game.moreOptionsChoice, 1);
    // Esc, or Enter on Back, returns to the row that opened it.
    updateAt(2100, {key::Escape});
    EXPECT_EQ(state(), GameState::Options);
    EXPECT_EQ(game.optionsChoice, kOptionsMoreChoice);
    updateAt(2400, {key::Return});
    for (int t = 2700; game.moreOptionsChoice < kMoreOptionsBackChoice; t += 300)
        updateAt(t, {key::Down});
    updateAt(6000, {key::Return});
    EXPECT_EQ(state(), GameState::Options);
    EXPECT_FALSE(std::filesystem::exists(optionsPath()));
}

TEST_F(StateMachine, OptionRowsStepAndEachChangeReachesTheWindowAndTheFile) {
    game.gameState = GameState::MoreOptions;
    game.moreOptionsChoice = 1 + 2;  // far view
    int32_t t = 1000;
    updateAt(t += 300, {key::Right});
    EXPECT_EQ(options.farView, 70);
    EXPECT_NE(readBytes(optionsPath()).find("far_view = 70\n"), std::string::npos);
    updateAt(t += 100, {key::Right});  // within the gate: nothing
    EXPECT_EQ(options.farView, 70);
    updateAt(t += 300, {key::Left});
    updateAt(t += 300, {key::A});  // round the low end to the farthest
    EXPECT_EQ(options.farView, 160);
    updateAt(t += 300, {key::Return});  // Enter steps up, round the high end
    EXPECT_EQ(options.farView, 0);

    game.moreOptionsChoice = 1 + 4;  // fullscreen
    updateAt(t += 300, {key::Return});
    EXPECT_TRUE(plat::isFullscreen());
    EXPECT_NE(readBytes(optionsPath()).find("fullscreen = on\n"), std::string::npos);
    // F11 switches the window itself; the option follows and is kept.
    plat::setFullscreen(false);
    updateAt(t += 300);
    EXPECT_FALSE(options.fullscreen);
    EXPECT_NE(readBytes(optionsPath()).find("fullscreen = off\n"), std::string::npos);

    // The interface size offers Auto and the quarter steps that fit: at
    // 1920 x 1080 up to 1.75x, then round to Auto.
    headless::setViewSize(1920, 1080);
    game.moreOptionsChoice = 1 + 5;
    for (const int quarters : {4, 5, 6, 7, 0}) {
        updateAt(t += 300, {key::D});
        EXPECT_EQ(options.uiScale, quarters);
    }
    updateAt(t += 300, {key::A});
    EXPECT_EQ(options.uiScale, 7);
    EXPECT_NE(readBytes(optionsPath()).find("ui_scale = 1.75\n"), std::string::npos);
    game.moreOptionsChoice = 1 + 3;  // frame rate: screen sync, then 30
    updateAt(t += 300, {key::Right});
    EXPECT_EQ(headless::frameCap(), 30);
}

TEST_F(StateMachine, ChoosingARenderingDistanceLeavesTheFarView) {
    game.gameState = GameState::Options;
    game.optionsChoice = 1;
    options.farView = 120;
    updateAt(1000, {key::Return});
    EXPECT_EQ(options.farView, 0);
}

TEST_F(StateMachine, OptionsCycleDistanceAndToggleLanguage) {
    game.gameState = GameState::Options;
    game.optionsChoice = 1;
    settings.RenderDistance = 2;
    int32_t t = 1000;
    for (int i = 0; i < 5; ++i) {
        renderer.camera.projectionDirty = 0;
        updateAt(t += 300, {key::Return});
        EXPECT_EQ(renderer.camera.projectionDirty, 1);
        EXPECT_EQ(state(), GameState::Options);
    }
    EXPECT_EQ(settings.RenderDistance, 2);

    game.optionsChoice = 2;
    updateAt(t += 300, {key::Return});
    EXPECT_EQ(settings.Language, 2);
    updateAt(t += 300, {key::Return});
    EXPECT_EQ(settings.Language, 1);
    settings.Language = 0;  // English as read back from the file
    updateAt(t += 300, {key::Return});
    EXPECT_EQ(settings.Language, 1);

    updateAt(t += 300, {key::Escape});
    EXPECT_EQ(state(), GameState::MainMenu);
}

TEST_F(StateMachine, QuitConfirmationOpensOnNoAndEscReturns) {
    updateAt(300, {key::Escape});
    ASSERT_EQ(state(), GameState::QuitConfirm);
    EXPECT_EQ(game.quitChoice, 2);
    updateAt(600, {key::Escape});
    EXPECT_EQ(state(), GameState::MainMenu);

    game.mainMenuChoice = 3;
    updateAt(900, {key::Return});
    ASSERT_EQ(state(), GameState::QuitConfirm);
    updateAt(1200, {key::Return});  // "No"
    EXPECT_EQ(state(), GameState::MainMenu);
    EXPECT_EQ(headless::queuedMessages(), 0u);
    EXPECT_EQ(game.mainMenuChoice, 3);  // kept when the main menu comes back

    updateAt(1500, {key::Return});
    updateAt(1800, {key::Up});
    updateAt(2100, {key::Return});  // "Yes"
    EXPECT_EQ(plat::takeMessage(), plat::Message::Quit);
}

TEST_F(StateMachine, WorldSelectCancelAndEscGoBack) {
    game.gameState = GameState::WorldSelect;
    game.worldSlotChoice = 5;
    updateAt(300, {key::Return});
    EXPECT_EQ(state(), GameState::MainMenu);
    game.gameState = GameState::WorldSelect;
    updateAt(600, {key::Escape});
    EXPECT_EQ(state(), GameState::MainMenu);
}

TEST_F(StateMachine, PauseHoldsTheJumpClockAndContinueResumesIt) {
    BlockScene nothingToLandOn{world};  // a grid, all air at the centre
    game.gameState = GameState::Playing;
    game.play.player.airborne = true;
    game.play.player.airStartTime = 1000;
    updateAt(1600, {key::Escape});
    ASSERT_EQ(state(), GameState::Pause);
    EXPECT_EQ(game.pauseChoice, 1);
    EXPECT_EQ(game.play.player.airStartTime, 600);  // time already spent in the jump

    game.play.crafting.selected = 4;
    updateAt(5000, {key::Return});  // Continue
    ASSERT_EQ(state(), GameState::Playing);
    EXPECT_EQ(5000 - game.play.player.airStartTime, 600);  // the pause did not count
    EXPECT_EQ(game.play.crafting.selected, 0);
    EXPECT_TRUE(headless::mouseCaptured());

    updateAt(5300, {key::Escape});
    updateAt(5600, {key::Escape});  // Esc leaves the pause menu too
    EXPECT_EQ(state(), GameState::Playing);
    EXPECT_EQ(5600 - game.play.player.airStartTime, 900);  // 600 + the 300 ms played since
}

TEST_F(StateMachine, QuitWithoutSavingResetsCameraAndMotion) {
    game.gameState = GameState::Pause;
    game.pauseChoice = 3;
    game.play.player.xzRotCamera = 1.0f;
    game.play.player.yRotCamera = -0.5f;
    game.play.player.airborne = game.play.player.rising = true;
    updateAt(300, {key::Return});
    EXPECT_EQ(state(), GameState::MainMenu);
    EXPECT_EQ(game.play.player.xzRotCamera, 0.0f);
    EXPECT_EQ(game.play.player.yRotCamera, 0.0f);
    EXPECT_FALSE(game.play.player.airborne);
    EXPECT_FALSE(game.play.player.rising);
    EXPECT_FALSE(headless::mouseCaptured());
}

TEST_F(StateMachine, SaveStaysInPause) {
    game.gameState = GameState::Pause;
    game.pauseChoice = 2;
    updateAt(300, {key::Return});
    EXPECT_EQ(state(), GameState::Busy);
    EXPECT_EQ(game.savingInProgress, 1);
    updateAt(316);  // the clock stands still: the whole save in one slice
    EXPECT_EQ(state(), GameState::Pause);
    EXPECT_EQ(game.savingInProgress, 0);
}

TEST_F(StateMachine, InventoryOpensAndClosesOnISharingTheGate) {
    game.gameState = GameState::Playing;
    game.play.controls.selectedSlot = 4;
    game.play.itemScreen.markedCell = 7;
    updateAt(300, {key::I});
    ASSERT_EQ(state(), GameState::InventoryScreen);
    EXPECT_EQ(game.play.itemScreen.cursor, 4);
    EXPECT_EQ(game.play.itemScreen.markedCell, 255);
    updateAt(400, {key::I});  // the same press does not close it again
    EXPECT_EQ(state(), GameState::InventoryScreen);
    updateAt(550, {key::I});
    EXPECT_EQ(state(), GameState::Playing);
}

TEST_F(StateMachine, ClosingAChestWritesItsCellsBack) {
    game.gameState = GameState::ChestScreen;
    world.chestCount = 4;  // chest 3 has a record
    game.play.itemScreen.chestNumber = 3;
    world.slots[kInventoryCells + 5] = ItemStack{7, 42};
    updateAt(300, {key::Escape});
    EXPECT_EQ(state(), GameState::Playing);
    EXPECT_EQ(world.chests[3][5].type, 7);
    EXPECT_EQ(world.chests[3][5].count, 42);
}

TEST_F(StateMachine, FallingBelowTheWorldKillsAndEnterRespawns) {
    BlockScene emptyCentre{world};  // a grid, all air at the centre
    game.gameState = GameState::Playing;
    // A fall under way since time 0 from just above the limit.
    game.play.player.Position = Vec3{123.0f, -99.0f, 77.0f};
    game.play.player.airborne = true;
    game.play.player.airBaseHeight = -99.0f;
    game.play.player.xzRotCamera = 2.0f;
    world.slots[3] = ItemStack{5, 9};
    updateAt(300);
    ASSERT_EQ(state(), GameState::Dead);
    EXPECT_FALSE(game.play.player.airborne);

    updateAt(400, {key::Return});  // death is not gated, but the respawn is
    updateAt(600, {key::Return});
    ASSERT_EQ(state(), GameState::Playing);
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    EXPECT_EQ(game.play.player.Position.y, 4.0f);  // an empty column
    EXPECT_EQ(game.play.player.xzRotCamera, 0.0f);
    EXPECT_EQ(world.slots[3].count, 9);  // the inventory survives death
}

TEST_F(StateMachine, EveryStateStampsThePreviousFrameTime) {
    for (GameState s : {GameState::Busy, GameState::MainMenu, GameState::Options,
                        GameState::Playing, GameState::Dead, GameState::InventoryScreen}) {
        game.gameState = s;
        updateAt(777);
        EXPECT_EQ(game.lastUpdateTime, 777) << int(s);
    }
    game.gameState = GameState::Playing;
    game.lastUpdateTime = 700;
    updateAt(760);
    EXPECT_EQ(game.frame.elapsed, 60);
}

}  // namespace

namespace {

TEST_F(StateMachine, MakingAWorldTakesShortFramesAndNoLongFirstFrame) {
    game.gameState = GameState::WorldSelect;
    game.worldSlotChoice = 2;  // no file in the scratch folder: a new world
    headless::setClockStepPerRead(1);
    ASSERT_EQ(updateAt(1000, {key::Return}), 0);
    ASSERT_EQ(state(), GameState::Busy);
    int frames = 0;
    while (state() == GameState::Busy && frames < 100'000) {
        ASSERT_EQ(frameUpdate(), 0);
        ++frames;
        if (state() == GameState::Busy) {
            ASSERT_LT(game.frame.elapsed, 2 * kWorkSliceMs);
        }
    }
    ASSERT_EQ(state(), GameState::Playing);
    EXPECT_GT(frames, 100);  // the clock moved on with every read
    const int32_t afterGeneration = game.lastUpdateTime;
    EXPECT_EQ(game.gate.lastActionTime, afterGeneration);
    // The new world's player stands on the centre column and the cursor is
    // put back at the window's centre.
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    EXPECT_EQ(game.play.player.Position.y, spawnEyeHeight(world, 500, 500));
    EXPECT_EQ(headless::lastCursorMove(), std::make_pair(320, 240));
    headless::setClockStepPerRead(0);
    headless::setClock(afterGeneration + 16);
    frameUpdate();
    EXPECT_EQ(game.frame.elapsed, 16);
}

}  // namespace
