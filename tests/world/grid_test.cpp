// The block grid: bounds, layout, spawn column, one-time allocation, and the
// progress pump that keeps the window alive while the grid is worked on.
#include "test_support.h"
#include "world/progress_pump.h"
#include "world/world.h"

namespace {

class Grid : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(allocateWorldStorage(world, quiet), WorldResult::Done);
    }
    // Clears the grid with a pump that draws nothing.
    void clearWorld() { ASSERT_EQ(::clearWorld(world, quiet), WorldResult::Done); }
    CountingPump quiet;
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
    clearWorld();
    cell(world, 1, 2, 3) = Cell{7, 9};
    const Cell* base = world.cells.get();
    EXPECT_EQ(base[(1 * 200 + 2) * 1000 + 3].type, 7);
    EXPECT_EQ(base[(1 * 200 + 2) * 1000 + 3].aux, 9);
    EXPECT_EQ(&cell(world, 999, 199, 999), base + kCellCount - 1);
    clearWorld();
    EXPECT_EQ(cell(world, 1, 2, 3).type, 0);
    EXPECT_EQ(cell(world, 1, 2, 3).aux, 0);
}

TEST_F(Grid, SpawnStandsFiveAboveTheColumnTopBelowTheLastLayer) {
    clearWorld();
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 4.0f);
    cell(world, 500, 100, 500).type = 2;
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 105.0f);
    cell(world, 500, 199, 500).type = 7;  // the top layer is never looked at
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 105.0f);
    cell(world, 500, 198, 500).type = 7;
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), 203.0f);
    clearWorld();
}

TEST_F(Grid, StorageIsMadeReadyOnlyOnce) {
    Cell* first = world.cells.get();
    ASSERT_EQ(allocateWorldStorage(world, quiet), WorldResult::Done);
    EXPECT_EQ(world.cells.get(), first);
    EXPECT_TRUE(world.worldStorageReady);
}

TEST_F(Grid, PumpDrawsAtMostEvery66msAndReadsTheClockSparingly) {
    CountingPump pump;
    headless::setClockStepPerRead(1);
    int64_t readsBefore = headless::clockReads();
    ASSERT_EQ(::clearWorld(world, pump), WorldResult::Done);
    int64_t reads = headless::clockReads() - readsBefore;
    // Never a clock read per cell: the clock is read once per row of cells.
    EXPECT_LT(reads, 400'000);
    // With the clock moving 1 ms a read, a frame about every 66 reads.
    EXPECT_GT(pump.frames, 2000);
    EXPECT_LT(pump.frames, 200'000 / 60);
    EXPECT_EQ(pump.updates, pump.frames);
}

TEST_F(Grid, QuitMessageEndsTheWorkWithSuccessAndIsPostedAgain) {
    CountingPump pump;
    cell(world, 999, 199, 999).type = 5;
    headless::setClockStepPerRead(1);
    headless::queueMessage(plat::Message::Quit);
    EXPECT_EQ(::clearWorld(world, pump), WorldResult::Quit);
    EXPECT_EQ(pump.frames, 1);
    EXPECT_EQ(cell(world, 999, 199, 999).type, 5);  // cut short: the rest untouched
    EXPECT_EQ(plat::takeMessage(), plat::Message::Quit);
    clearWorld();
}

TEST_F(Grid, DrawingFailureEndsTheWorkWithFailure) {
    CountingPump pump;
    pump.failDrawing = true;
    headless::setClockStepPerRead(1);
    EXPECT_EQ(::clearWorld(world, pump), WorldResult::DrawFailed);
    EXPECT_EQ(pump.updates, 0);
}

TEST_F(Grid, SplitPumpDrawsWhenDueAndUpdatesEveryTime) {
    CountingPump pump;
    headless::setClock(65);
    EXPECT_EQ(pumpDraw(pump), PumpResult::Continue);
    EXPECT_EQ(pump.frames, 0);
    headless::setClock(66);
    pumpDraw(pump);
    EXPECT_EQ(pump.frames, 1);
    EXPECT_EQ(pump.pump.timer, 66);
    EXPECT_EQ(pumpMessages(pump), PumpResult::Continue);
    EXPECT_EQ(pump.updates, 1);
    headless::queueMessage(plat::Message::Other);
    headless::queueMessage(plat::Message::Quit);
    EXPECT_EQ(pumpMessages(pump), PumpResult::Continue);  // one message a step
    EXPECT_EQ(pumpMessages(pump), PumpResult::Quit);
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
