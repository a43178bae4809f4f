// Placing: the cell beside the clicked face, every refusal, the body check,
// furnace and chest facings, torch mounts, and opening a chest.
#include "game/placing.h"
#include "game/catalogue.h"
#include "game/item_screens.h"
#include "game/play_scene.h"

namespace {

class Placing : public PlayScene {
   protected:
    // A right click on face `side` of the block at (x, y, z).
    PlaceResult click(int x, int y, int z, uint8_t side) {
        aim(x, y, z, side);
        return placeOrOpen(world, play, frameAt(now), gate, events);
    }
    // A block at the centre of the scene to click on.
    void base(uint8_t type = 1) { put(kX, kY, kZ, type); }
    int32_t now = 10'000;
};

TEST_F(Placing, TheBlockGoesBesideTheClickedFaceAndLeavesTheHand) {
    const int offsets[7][3] = {{0, 0, 0},  {0, -1, 0}, {0, 1, 0}, {0, 0, -1},
                               {-1, 0, 0}, {1, 0, 0},  {0, 0, 1}};
    for (uint8_t side = 1; side <= 6; ++side) {
        SCOPED_TRACE(int(side));
        base();
        hold(3, 2, 2);
        EXPECT_EQ(click(kX, kY, kZ, side), PlaceResult::Placed);
        const int x = kX + offsets[side][0], y = kY + offsets[side][1], z = kZ + offsets[side][2];
        EXPECT_EQ(at(x, y, z).type, 2);
        EXPECT_EQ(world.slots[3].count, 1);
        put(x, y, z, 0);
    }
    // The last one empties the cell altogether.
    EXPECT_EQ(click(kX, kY, kZ, kSideAbove), PlaceResult::Placed);
    EXPECT_EQ(world.slots[3].type, 0);
    EXPECT_EQ(world.slots[3].count, 0);
    // The renderer hears of the change.
    bool logged = false;
    std::vector<CellChange> changes;
    takeCellChanges(world, changes);
    for (const CellChange& c : changes) logged |= c.x == kX && c.y == kY + 1 && c.z == kZ;
    EXPECT_TRUE(logged);
}

TEST_F(Placing, RefusalsChangeNothing) {
    auto refused = [this](int x, int y, int z, uint8_t side) {
        const ItemStack before = world.slots[play.controls.selectedSlot];
        EXPECT_EQ(click(x, y, z, side), PlaceResult::Nothing);
        EXPECT_EQ(world.slots[play.controls.selectedSlot].type, before.type);
        EXPECT_EQ(world.slots[play.controls.selectedSlot].count, before.count);
    };
    base();
    hold(0, 0, 0);
    refused(kX, kY, kZ, kSideAbove);  // empty hand
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 0);
    hold(0, 23, 5);
    refused(kX, kY, kZ, kSideAbove);  // a stick is carried, never placed
    hold(0, 62, 1);
    refused(kX, kY, kZ, kSideAbove);  // so is an axe
    hold(0, 2, 0);
    refused(kX, kY, kZ, kSideAbove);  // a type with no items left
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 0);

    hold(0, 2, 5);
    put(kX, kY + 1, kZ, 24, 0);
    refused(kX, kY, kZ, kSideAbove);  // the cell is taken, even by a torch
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 24);
    refused(kX, kY, kZ, kNoSide);
    play.target = Target{};
    EXPECT_EQ(placeOrOpen(world, play, frameAt(now), gate, events), PlaceResult::Nothing);

    // Beyond each edge of the grid.
    put(0, 199, 0, 1);
    put(999, 0, 999, 1);
    refused(0, 199, 0, kSideAbove);
    refused(0, 199, 0, kSideMinusX);
    refused(0, 199, 0, kSideMinusZ);
    refused(999, 0, 999, kSideBelow);
    refused(999, 0, 999, kSidePlusX);
    refused(999, 0, 999, kSidePlusZ);
    EXPECT_EQ(world.slots[0].count, 5);
}

TEST_F(Placing, ABlockInThePlayersBodyIsTakenBackButATorchStays) {
    base();
    // Standing on the base block as a landing leaves him, just clear of its
    // top face: the body fills the two cells above it.
    play.player.Position = Vec3{float(kX), float(kY) + 2.001f, float(kZ)};
    hold(0, 2, 3);
    EXPECT_EQ(click(kX, kY, kZ, kSideAbove), PlaceResult::Placed);
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 0);
    EXPECT_EQ(world.slots[0].count, 3);
    hold(0, 2, 1);
    click(kX, kY, kZ, kSideAbove);
    EXPECT_EQ(world.slots[0].type, 2);  // the last one came back too
    EXPECT_EQ(world.slots[0].count, 1);

    hold(0, 24, 1);
    click(kX, kY, kZ, kSideAbove);
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 24);
    EXPECT_EQ(world.slots[0].type, 0);
}

TEST_F(Placing, AFurnaceFacesTheClickedSideOrTheLastOpenOne) {
    // Placed on the top face of the base, at (kX, kY + 1, kZ).
    const int x = kX, y = kY + 1, z = kZ;
    auto placeOnTop = [&]() {
        put(x, y, z, 0);
        hold(0, 26, 1);
        click(kX, kY, kZ, kSideAbove);
        EXPECT_EQ(at(x, y, z).type, 26);
        return at(x, y, z).aux;
    };
    base();
    EXPECT_EQ(placeOnTop(), 0);  // all open: -z, the last of +x, -x, +z, -z
    put(x, y, z - 1, 1);
    EXPECT_EQ(placeOnTop(), 3);  // +z
    put(x, y, z + 1, 1);
    EXPECT_EQ(placeOnTop(), 1);  // -x
    put(x - 1, y, z, 1);
    EXPECT_EQ(placeOnTop(), 2);  // +x
    put(x + 1, y, z, 1);
    EXPECT_EQ(placeOnTop(), 0);  // all closed: -z

    // On a side face it looks back the way it was clicked from, if that is open.
    PlayScene::clearBox(kX - 3, kX + 3, kY - 3, kY + 3, kZ - 3, kZ + 3);
    base();
    const struct {
        uint8_t side;
        int dx, dz;
        uint8_t facing;
    } faces[] = {{kSidePlusZ, 0, 1, 3},
                 {kSidePlusX, 1, 0, 2},
                 {kSideMinusX, -1, 0, 1},
                 {kSideMinusZ, 0, -1, 0}};
    for (const auto& f : faces) {
        hold(0, 26, 1);
        click(kX, kY, kZ, f.side);
        EXPECT_EQ(at(kX + f.dx, kY, kZ + f.dz).aux, f.facing) << int(f.side);
        put(kX + f.dx, kY, kZ + f.dz, 0);
    }
    // Clicked on +x with something in front: the last open side instead.
    put(kX + 2, kY, kZ, 1);
    hold(0, 26, 1);
    click(kX, kY, kZ, kSidePlusX);
    EXPECT_EQ(at(kX + 1, kY, kZ).aux, 0);  // -z is open
    // At the world's edge the outside counts as closed.
    put(0, 50, 0, 1);
    put(1, 51, 0, 1);
    hold(0, 26, 1);
    click(0, 50, 0, kSideAbove);
    EXPECT_EQ(at(0, 51, 0).aux, 3);  // +z: -x and -z lie outside, +x is closed
}

TEST_F(Placing, AChestTakesANewRecordAndFacesLikeAFurnace) {
    base();
    world.chestCount = 3;
    world.chests[3][5] = ItemStack{7, 7};  // left over from a removed chest
    hold(0, 67, 2);
    EXPECT_EQ(click(kX, kY, kZ, kSidePlusX), PlaceResult::Placed);
    EXPECT_EQ(at(kX + 1, kY, kZ).type, 69);
    EXPECT_EQ(at(kX + 1, kY, kZ).aux, 3);
    EXPECT_EQ(world.chestCount, 4);
    EXPECT_EQ(world.chests[3][5].type, 0);
    EXPECT_EQ(world.slots[0].count, 1);

    const struct {
        uint8_t side;
        int dx, dy, dz;
        uint8_t type;
    } faces[] = {{kSidePlusZ, 0, 0, 1, 70},
                 {kSideMinusX, -1, 0, 0, 68},
                 {kSideMinusZ, 0, 0, -1, 67},
                 // top: -z is open, so -z, as the furnace would
                 {kSideAbove, 0, 1, 0, 67}};
    for (const auto& f : faces) {
        hold(0, 67, 1);
        click(kX, kY, kZ, f.side);
        EXPECT_EQ(at(kX + f.dx, kY + f.dy, kZ + f.dz).type, f.type) << int(f.side);
    }
    EXPECT_EQ(world.chestCount, 8);

    // A chest turned another way in the hand (only a damaged file has one)
    // is still a chest with a record of its own.
    hold(0, 69, 1);
    click(kX, kY, kZ, kSideBelow);
    EXPECT_TRUE(isChest(at(kX, kY - 1, kZ).type));
    EXPECT_EQ(at(kX, kY - 1, kZ).aux, 8);
    EXPECT_EQ(world.chestCount, 9);
}

TEST_F(Placing, NoChestIsPlacedOnceAll255RecordsAreInUse) {
    base();
    world.chestCount = 255;
    hold(0, 67, 1);
    EXPECT_EQ(click(kX, kY, kZ, kSideAbove), PlaceResult::Nothing);
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 0);
    EXPECT_EQ(world.slots[0].type, 67);
    EXPECT_EQ(world.slots[0].count, 1);
    EXPECT_EQ(world.chestCount, 255);
    // With one record freed it goes in as number 254.
    world.chestCount = 254;
    click(kX, kY, kZ, kSideAbove);
    EXPECT_EQ(at(kX, kY + 1, kZ).aux, 254);
    EXPECT_EQ(world.chestCount, 255);
}

TEST_F(Placing, TorchesHangOnWallsAndStandOnTopButComeBackFromUnderneathGlassAndTorches) {
    base();
    const struct {
        uint8_t side;
        int dx, dy, dz;
        uint8_t mount;
    } faces[] = {{kSideAbove, 0, 1, 0, 0},
                 {kSidePlusZ, 0, 0, 1, 4},
                 {kSidePlusX, 1, 0, 0, 2},
                 {kSideMinusX, -1, 0, 0, 3},
                 {kSideMinusZ, 0, 0, -1, 1}};
    for (const auto& f : faces) {
        hold(0, 24, 9);
        click(kX, kY, kZ, f.side);
        EXPECT_EQ(at(kX + f.dx, kY + f.dy, kZ + f.dz).type, 24) << int(f.side);
        EXPECT_EQ(at(kX + f.dx, kY + f.dy, kZ + f.dz).aux, f.mount) << int(f.side);
        EXPECT_EQ(world.slots[0].count, 8);
    }
    auto comesBack = [this](int x, int y, int z, uint8_t side, int cx, int cy, int cz) {
        hold(0, 24, 1);
        EXPECT_EQ(click(x, y, z, side), PlaceResult::Placed);
        EXPECT_EQ(at(cx, cy, cz).type, 0);
        EXPECT_EQ(at(cx, cy, cz).aux, 0);
        EXPECT_EQ(world.slots[0].type, 24);
        EXPECT_EQ(world.slots[0].count, 1);
    };
    comesBack(kX, kY, kZ, kSideBelow, kX, kY - 1, kZ);
    put(kX + 5, kY, kZ, 73);  // glass
    comesBack(kX + 5, kY, kZ, kSideAbove, kX + 5, kY + 1, kZ);
    comesBack(kX + 5, kY, kZ, kSidePlusX, kX + 6, kY, kZ);
    // The torch standing on top of the base.
    comesBack(kX, kY + 1, kZ, kSideAbove, kX, kY + 2, kZ);
}

TEST_F(Placing, ARightClickOnAChestOpensItThroughTheSharedGate) {
    world.chestCount = 2;
    put(kX, kY, kZ, 68, 1);
    world.chests[1][4] = ItemStack{38, 12};
    hold(6, 2, 10);
    play.player.airStartTime = 9'000;  // a fall under way since 9000
    gate.lastActionTime = 9'800;
    EXPECT_EQ(click(kX, kY, kZ, kSideMinusX), PlaceResult::Nothing);  // 200 ms only
    EXPECT_EQ(world.slots[kInventoryCells + 4].type, 0);

    now = 10'050;
    play.itemScreen.markedCell = 3;
    EXPECT_EQ(click(kX, kY, kZ, kSideMinusX), PlaceResult::OpenedChest);
    EXPECT_EQ(world.slots[kInventoryCells + 4].type, 38);
    EXPECT_EQ(world.slots[kInventoryCells + 4].count, 12);
    EXPECT_EQ(play.itemScreen.chestNumber, 1);
    EXPECT_EQ(play.itemScreen.cursor, 6);
    EXPECT_EQ(play.itemScreen.markedCell, kNoMark);
    EXPECT_EQ(gate.lastActionTime, 10'050);
    EXPECT_EQ(play.player.airStartTime, 1'050);  // the time already spent falling
    EXPECT_EQ(at(kX - 1, kY, kZ).type, 0);       // nothing placed
    EXPECT_EQ(world.slots[6].count, 10);

    // A chest whose number has no record does not open: what went in would be lost.
    put(kX + 3, kY, kZ, 67, 2);
    now = 20'000;
    EXPECT_EQ(click(kX + 3, kY, kZ, kSideAbove), PlaceResult::Nothing);
    EXPECT_EQ(gate.lastActionTime, 10'050);
}

}  // namespace
