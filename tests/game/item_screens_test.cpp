// The inventory and chest screens driven through the real frame update: the
// cursor's bounds, one gated action a frame, picking up and putting down,
// Delete, and a chest's cells going back to its record on the way out.
#include <initializer_list>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/placing.h"
#include "game/play_scene.h"
#include "platform/keys.h"

namespace {

class ItemScreens : public PlayScene {
   protected:
    void SetUp() override {
        PlayScene::SetUp();
        resetGame();  // the app's update runs the screens
        ASSERT_EQ(plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600), 0);
    }
    // One frame update at `t` with these keys held; keys come 300 ms apart
    // unless a test says otherwise. The scene's world and play are the
    // game's for it.
    void press(std::initializer_list<uint8_t> keys, int32_t after = 300) {
        now += after;
        headless::releaseAllKeys();
        for (uint8_t k : keys) headless::pressKey(k);
        headless::setClock(now);
        game.play = play;
        std::swap(game.world, world);
        const int result = frameUpdate();
        std::swap(game.world, world);
        play = game.play;
        ASSERT_EQ(result, 0);
    }
    void openInventory(uint8_t slot) {
        game.gameState = GameState::Playing;
        play.controls.selectedSlot = slot;
        press({key::I});
        ASSERT_EQ(game.gameState, GameState::InventoryScreen);
    }
    int32_t now = 1000;
};

TEST_F(ItemScreens, TheInventoryCursorStaysWithinTheFourRows) {
    openInventory(8);
    EXPECT_EQ(play.itemScreen.cursor, 8);
    press({key::W});  // one row up on screen
    press({key::Up});
    press({key::W});
    EXPECT_EQ(play.itemScreen.cursor, 35);
    press({key::W});  // the top row: no further, and the gate is not used
    EXPECT_EQ(play.itemScreen.cursor, 35);
    press({key::D}, 10);
    press({key::Right});
    EXPECT_EQ(play.itemScreen.cursor, 35);  // the chest's cells are out of reach
    press({key::S});
    press({key::Down});
    press({key::S});
    press({key::S});  // the hotbar row: no further down
    EXPECT_EQ(play.itemScreen.cursor, 8);
    press({key::A});
    press({key::Left});
    EXPECT_EQ(play.itemScreen.cursor, 6);
    for (int i = 0; i < 8; ++i) press({key::A});
    EXPECT_EQ(play.itemScreen.cursor, 0);
    press({key::D});  // right along a row runs on into the next one up
    for (int i = 0; i < 8; ++i) press({key::Right});
    EXPECT_EQ(play.itemScreen.cursor, 9);
}

TEST_F(ItemScreens, OneGatedActionAFrameInTheOrderOfTheKeys) {
    world.slots[0] = ItemStack{5, 3};
    openInventory(0);
    // Held together, the move up wins; nothing else happens in that frame.
    press({key::W, key::D, key::Return, key::Delete});
    EXPECT_EQ(play.itemScreen.cursor, 9);
    EXPECT_EQ(play.itemScreen.markedCell, kNoMark);
    // The next frame within 250 ms does nothing at all.
    press({key::S}, 249);
    EXPECT_EQ(play.itemScreen.cursor, 9);
    press({key::S}, 1);
    EXPECT_EQ(play.itemScreen.cursor, 0);
    // Enter comes before Delete, and Delete before leaving.
    press({key::Return, key::Delete, key::Escape});
    EXPECT_EQ(play.itemScreen.markedCell, 0);
    EXPECT_EQ(world.slots[0].count, 3);
    press({key::Delete, key::Escape});
    EXPECT_EQ(world.slots[0].type, 0);
    EXPECT_EQ(game.gameState, GameState::InventoryScreen);
    press({key::I});
    EXPECT_EQ(game.gameState, GameState::Playing);
}

TEST_F(ItemScreens, EnterPicksUpAndPutsDownWithoutEverLosingAnItem) {
    world.slots[0] = ItemStack{1, 200};
    world.slots[1] = ItemStack{1, 100};
    world.slots[2] = ItemStack{1, 100};
    world.slots[3] = ItemStack{7, 9};
    openInventory(5);
    press({key::Return});  // an empty cell with nothing picked up: nothing
    EXPECT_EQ(play.itemScreen.markedCell, kNoMark);
    EXPECT_EQ(game.gate.lastActionTime, now - 300);

    // 100 onto 200: 250 in the cursor cell, the rest stays behind.
    play.itemScreen.cursor = 1;
    press({key::Return});
    EXPECT_EQ(play.itemScreen.markedCell, 1);
    play.itemScreen.cursor = 0;
    press({key::Return});
    EXPECT_EQ(world.slots[0].count, 250);
    EXPECT_EQ(world.slots[1].type, 1);
    EXPECT_EQ(world.slots[1].count, 50);
    EXPECT_EQ(play.itemScreen.markedCell, kNoMark);

    // 100 onto 50: all of it fits and the marked cell is emptied.
    play.itemScreen.cursor = 2;
    press({key::Return});
    play.itemScreen.cursor = 1;
    press({key::Return});
    EXPECT_EQ(world.slots[1].count, 150);
    EXPECT_EQ(world.slots[2].type, 0);
    EXPECT_EQ(world.slots[2].count, 0);

    // Different types swap whole; onto an empty cell is a move.
    play.itemScreen.cursor = 3;
    press({key::Return});
    play.itemScreen.cursor = 0;
    press({key::Return});
    EXPECT_EQ(world.slots[0].type, 7);
    EXPECT_EQ(world.slots[3].count, 250);
    press({key::Return});
    play.itemScreen.cursor = 30;
    press({key::Return});
    EXPECT_EQ(world.slots[30].type, 7);
    EXPECT_EQ(world.slots[30].count, 9);
    EXPECT_EQ(world.slots[0].type, 0);

    // Putting a cell down on itself moves nothing and drops the mark.
    press({key::Return});
    press({key::Return});
    EXPECT_EQ(world.slots[30].count, 9);
    EXPECT_EQ(play.itemScreen.markedCell, kNoMark);
}

TEST_F(ItemScreens, MergesIntoAFullOrOverfullStackTakeNothing) {
    world.slots[0] = ItemStack{1, 250};
    world.slots[1] = ItemStack{1, 40};
    moveCell(world, 1, 0);
    EXPECT_EQ(world.slots[0].count, 250);
    EXPECT_EQ(world.slots[1].count, 40);
    world.slots[0].count = 255;  // as a damaged file might hold
    moveCell(world, 1, 0);
    EXPECT_EQ(world.slots[0].count, 255);
    EXPECT_EQ(world.slots[1].count, 40);
}

TEST_F(ItemScreens, AChestOpensOnARightClickAndItsCellsGoBackOnTheWayOut) {
    game.gameState = GameState::Playing;
    world.chestCount = 1;
    world.chests[0][0] = ItemStack{38, 4};
    put(kX, kY, kZ, 70, 0);
    aim(kX, kY, kZ, kSidePlusZ);
    world.slots[2] = ItemStack{29, 9};
    play.controls.selectedSlot = 2;
    play.controls.rightButtonLatch = 1;
    press({});
    ASSERT_EQ(game.gameState, GameState::ChestScreen);
    EXPECT_EQ(play.itemScreen.cursor, 2);
    EXPECT_EQ(world.slots[kInventoryCells].type, 38);

    // The cursor now reaches the chest's rows above the inventory.
    press({key::Return});
    for (int i = 0; i < 4; ++i) press({key::W});
    EXPECT_EQ(play.itemScreen.cursor, 38);
    press({key::W});
    press({key::W});
    EXPECT_EQ(play.itemScreen.cursor, 56);
    press({key::W});
    EXPECT_EQ(play.itemScreen.cursor, 56);
    for (int i = 0; i < 7; ++i) press({key::D});
    EXPECT_EQ(play.itemScreen.cursor, 62);
    press({key::Return});  // the iron goes into the chest's last cell
    EXPECT_EQ(world.slots[2].type, 0);

    press({key::Escape});
    EXPECT_EQ(game.gameState, GameState::Playing);
    EXPECT_EQ(world.chests[0][26].type, 29);
    EXPECT_EQ(world.chests[0][26].count, 9);
    EXPECT_EQ(world.chests[0][0].type, 38);
}

}  // namespace
