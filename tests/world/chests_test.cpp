// The chest table: opening and closing copy a record, a 256th chest is
// refused, and digging one chest never moves another chest's contents.
#include "world/chests.h"
#include "test_support.h"
#include "game/catalogue.h"
#include "world/world.h"

namespace {

class Chests : public GameTest {
   protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
        clearChestPositions(world);
        world.chestCount = 0;
    }
    void TearDown() override {
        for (const auto& [x, z] : placed) cell(world, x, 150, z) = Cell{0, 0};
        GameTest::TearDown();
    }
    // Places chest i at (i, 150, 3 * i) the way the placing code does, and
    // fills its record with items telling which chest it is.
    int place(int i, uint8_t type = 67) {
        int n = newChestRecord(world);
        if (n < 0) return n;
        cell(world, i, 150, 3 * i) = Cell{type, uint8_t(n)};
        registerChestAt(world, n, i, 150, 3 * i);
        placed.emplace_back(i, 3 * i);
        world.chests[n][0] = ItemStack{uint8_t(i % 73 + 1), 1};
        return n;
    }
    // Whatever chest stands at i holds i's items.
    void expectOwnContents(int i) {
        const Cell& c = cell(world, i, 150, 3 * i);
        ASSERT_TRUE(isChest(c.type)) << i;
        ASSERT_LT(c.aux, world.chestCount) << i;
        EXPECT_EQ(world.chests[c.aux][0].type, i % 73 + 1) << i;
    }
    void dig(int i) {
        int n = cell(world, i, 150, 3 * i).aux;
        cell(world, i, 150, 3 * i) = Cell{0, 0};
        removeChestRecord(world, n);
    }
    std::vector<std::pair<int, int>> placed;
};

TEST_F(Chests, OpenAndCloseCopyTheRecordThroughTheWorkingCells) {
    int n = place(1);
    world.chests[n][26] = ItemStack{5, 250};
    openChest(world, n);
    EXPECT_EQ(world.slots[kInventoryCells + 26].count, 250);
    world.slots[kInventoryCells + 26] = ItemStack{0, 0};
    world.slots[kInventoryCells + 1] = ItemStack{7, 3};
    closeChest(world, n);
    EXPECT_EQ(world.chests[n][26].type, 0);
    EXPECT_EQ(world.chests[n][1].count, 3);
    // A number without a record opens empty and closing it writes nothing.
    world.chests[9][0] = ItemStack{1, 1};
    openChest(world, 9);
    EXPECT_EQ(world.slots[kInventoryCells].type, 0);
    world.slots[kInventoryCells] = ItemStack{2, 2};
    closeChest(world, 9);
    EXPECT_EQ(world.chests[9][0].type, 1);
}

TEST_F(Chests, NewRecordIsEmptyAndThe256thIsRefused) {
    world.chests[0][4] = ItemStack{9, 9};
    EXPECT_EQ(place(0), 0);
    EXPECT_EQ(world.chests[0][4].type, 0);
    for (int i = 1; i < 255; ++i) ASSERT_EQ(place(i), i);
    EXPECT_EQ(world.chestCount, 255);
    EXPECT_EQ(newChestRecord(world), -1);
    EXPECT_EQ(world.chestCount, 255);
}

TEST_F(Chests, DiggingOneChestKeepsEveryOtherOnItsOwnContents) {
    for (int i = 0; i < 12; ++i) place(i, uint8_t(67 + i % 4));
    dig(4);
    EXPECT_EQ(world.chestCount, 11);
    for (int i : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}) expectOwnContents(i);
    EXPECT_EQ(world.chests[11][0].type, 0);  // the freed last record is empty
    dig(0);
    dig(11);
    place(20);  // takes the next number, after the renumbered ones
    for (int i : {1, 2, 3, 5, 6, 7, 8, 9, 10, 20}) expectOwnContents(i);
    dig(20);
    dig(7);
    for (int i : {1, 2, 3, 5, 6, 8, 9, 10}) expectOwnContents(i);
    EXPECT_EQ(world.chestCount, 8);
}

TEST_F(Chests, AfterTheGridIsReplacedOneScanFindsTheChests) {
    for (int i = 0; i < 5; ++i) place(i);
    // As a load does: the grid arrives from elsewhere, the map is unknown.
    forgetChestPositions(world);
    place(5);  // placed before the scan: the scan finds it too
    dig(1);
    for (int i : {0, 2, 3, 4, 5}) expectOwnContents(i);
    // Numbers nobody has are left alone.
    removeChestRecord(world, 200);
    EXPECT_EQ(world.chestCount, 5);
}

}  // namespace
