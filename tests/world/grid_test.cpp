// The block grid: bounds, layout, spawn column and one-time allocation.
#include "test_support.h"
#include "world/world.h"

namespace {

class Grid : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
    }
};

TEST_F(Grid, BoundsAreTheClosedIntegerRanges) {
    EXPECT_TRUE(inWorld(0, 0, 0));
    EXPECT_TRUE(inWorld(999, 199, 999));
    EXPECT_FALSE(inWorld(1000, 0, 0));
    EXPECT_FALSE(inWorld(0, -1, 0));
    EXPECT_FALSE(inWorld(0, 0, 1000));
    EXPECT_FALSE(inWorld(-1, 100, 500));
    EXPECT_FALSE(inWorld(0, 200, 0));
    // Outside the grid there is nothing, and reading there touches no memory.
    EXPECT_EQ(cellOrAir(world, 1000, -1, 1000).type, 0);
    EXPECT_EQ(cellOrAir(world, -2147483647 - 1, 0, 0).type, 0);
}

TEST_F(Grid, CellsLieInXYZOrder) {
    ::clearWorld(world);
    cell(world, 1, 2, 3) = Cell{7, 9};
    const Cell* base = world.cells.get();
    EXPECT_EQ(base[(1 * 200 + 2) * 1000 + 3].type, 7);
    EXPECT_EQ(base[(1 * 200 + 2) * 1000 + 3].aux, 9);
    EXPECT_EQ(&cell(world, 999, 199, 999), base + kCellCount - 1);
    ::clearWorld(world);
    EXPECT_EQ(cell(world, 1, 2, 3).type, 0);
    EXPECT_EQ(cell(world, 1, 2, 3).aux, 0);
}

TEST_F(Grid, SpawnStandsFiveAboveTheColumnTopBelowTheLastLayer) {
    ::clearWorld(world);
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 4.0f);
    cell(world, 500, 100, 500).type = 2;
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 105.0f);
    cell(world, 500, 199, 500).type = 7;  // the top layer is never looked at
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 105.0f);
    cell(world, 500, 198, 500).type = 7;
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 203.0f);
    ::clearWorld(world);
}

TEST_F(Grid, StorageIsMadeReadyOnlyOnce) {
    Cell* first = world.cells.get();
    ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
    EXPECT_EQ(world.cells.get(), first);
    EXPECT_TRUE(world.worldStorageReady);
}

TEST_F(Grid, NewWorldValues) {
    world.slots[5] = ItemStack{3, 3};
    world.chestCount = 4;
    world.DayTime = 7;
    resetWorldValues(world);
    EXPECT_EQ(world.slots[0].type, 62);
    EXPECT_EQ(world.slots[0].count, 1);
    EXPECT_EQ(world.slots[5].type, 0);
    EXPECT_EQ(world.chestCount, 0);
    EXPECT_EQ(world.DayTime, 180);
    EXPECT_EQ(world.SubDayTime, 0);
    EXPECT_EQ(world.gauges[1][0], 5);
    EXPECT_EQ(world.gauges[2][1], 3);
}

}  // namespace
