// Delete in the world selection: a Yes/No question over the slot rows, keyed
// like the quit confirmation through the shared 250 ms gate; Yes moves the
// slot's files aside and the slot reads as empty, so a damaged slot is no
// dead end.
#include <filesystem>
#include <fstream>
#include <initializer_list>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/frame.h"
#include "platform/keys.h"
#include "test_support.h"
#include "ui/notice.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace fs = std::filesystem;

namespace {

class DeleteSlot : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600), 0);
        game.gameState = GameState::WorldSelect;
        game.worldSlotChoice = 2;
        std::ofstream(scratch.file("Mondo2.data")) << "a damaged world";
        std::ofstream(scratch.file("SemeM2.data")) << "1234567890";
    }
    int updateAt(int32_t t, std::initializer_list<uint8_t> keys = {}) {
        headless::releaseAllKeys();
        for (uint8_t k : keys) headless::pressKey(k);
        headless::setClock(t);
        return frameUpdate();
    }
    bool asking() const { return game.deleteSlot != 0; }
};

TEST_F(DeleteSlot, DeleteAsksOnNoAndNoKeepsTheSlot) {
    ASSERT_EQ(updateAt(1000, {key::Delete}), 0);
    EXPECT_EQ(game.deleteSlot, 2);
    EXPECT_EQ(game.deleteChoice, 2);
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_EQ(game.gate.lastActionTime, 1000);
    // Enter within the gate does nothing; the keys belong to the question
    // now, and Down cannot pass No.
    updateAt(1249, {key::Return});
    EXPECT_TRUE(asking());
    updateAt(1300, {key::Down});
    EXPECT_EQ(game.deleteChoice, 2);
    EXPECT_EQ(game.worldSlotChoice, 2);
    updateAt(1549, {key::Return});
    EXPECT_FALSE(asking());
    EXPECT_EQ(game.gate.lastActionTime, 1549);
    EXPECT_TRUE(slotOccupied(2));
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    // Enter still held: it must not open the slot in the selection now.
    updateAt(1700, {key::Return});
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_STREQ(game.notice.english, "");
}

TEST_F(DeleteSlot, YesMovesTheFilesAsideAndTheSlotShowsEmpty) {
    settings.Language = 2;
    updateAt(1000, {key::Delete});
    updateAt(1100, {key::Up});  // within the gate: still No
    EXPECT_EQ(game.deleteChoice, 2);
    updateAt(1250, {key::Up});
    EXPECT_EQ(game.deleteChoice, 1);
    updateAt(1500, {key::Return});
    EXPECT_FALSE(asking());
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_FALSE(slotOccupied(2));
    EXPECT_TRUE(fs::exists(scratch.file("Mondo2.data.bak1")));
    EXPECT_TRUE(fs::exists(scratch.file("SemeM2.data.bak1")));
    EXPECT_STREQ(game.notice.english, "Moved to Mondo2.data.bak1");
    EXPECT_STREQ(game.notice.italian, "Spostato in Mondo2.data.bak1");
    ASSERT_EQ(drawFrame(), 0);
    int emptyRows = 0;
    for (const auto& t : headless::lastFrame().texts)
        if (t.left == 550) emptyRows += t.text == "(Empty)";
    EXPECT_EQ(emptyRows, 4);
    EXPECT_NE(headless::lastFrame().findText("Moved to Mondo2.data.bak1"), nullptr);

    // The next world in that slot goes to the next number.
    std::ofstream(scratch.file("Mondo2.data")) << "another";
    updateAt(2000, {key::Delete});
    updateAt(2250, {key::W});
    updateAt(2500, {key::Return});
    EXPECT_STREQ(game.notice.english, "Moved to Mondo2.data.bak2");
    EXPECT_FALSE(fs::exists(scratch.file("SemeM2.data.bak2")));  // it had no seed
}

TEST_F(DeleteSlot, EscClosesTheQuestionAndOnlyTheNextEscLeaves) {
    updateAt(1000, {key::Delete});
    updateAt(1250, {key::Up});
    updateAt(1500, {key::Escape});
    EXPECT_FALSE(asking());
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_TRUE(slotOccupied(2));
    updateAt(1600, {key::Escape});
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    updateAt(1750, {key::Escape});
    EXPECT_EQ(game.gameState, GameState::MainMenu);
    // Play again: the selection opens without the question.
    game.deleteSlot = 3;
    updateAt(2000, {key::Return});
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_FALSE(asking());
}

TEST_F(DeleteSlot, DeleteOnAnEmptySlotOrCancelDoesNothing) {
    for (uint8_t choice : {1, 3, 4, 5}) {
        game.worldSlotChoice = choice;
        updateAt(1000 * choice, {key::Delete});
        EXPECT_FALSE(asking()) << int(choice);
        EXPECT_EQ(game.gate.lastActionTime, 0) << int(choice);
    }
}

TEST_F(DeleteSlot, FilesThatCannotBeMovedAreToldAndTheSlotStaysTaken) {
    plat::FileFaults faults;
    faults.failRename = true;
    headless::setFileFaults(faults);
    updateAt(1000, {key::Delete});
    updateAt(1250, {key::Up});
    updateAt(1500, {key::Return});
    EXPECT_FALSE(asking());
    EXPECT_TRUE(slotOccupied(2));
    EXPECT_STREQ(game.notice.english, "Could not move Mondo2.data!");
    EXPECT_STREQ(game.notice.italian, "Impossibile spostare Mondo2.data!");
    EXPECT_FALSE(fs::exists(scratch.file("Mondo2.data.bak1")));
}

}  // namespace
