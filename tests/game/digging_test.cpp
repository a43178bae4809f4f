// Digging: the tool check, the dig clock and its restarts, the crack stages,
// and what a finished dig puts into the inventory and takes out of the grid.
#include <cmath>

#include "game/catalogue.h"
#include "game/digging.h"
#include "game/inventory.h"
#include "game/play_scene.h"

namespace {

class Digging : public PlayScene {
   protected:
    // One Playing update's digging at time t, the button held or not.
    void frame(int32_t t, bool held = true) {
        play.controls.leftButtonLatch = held ? 1 : 0;
        updateDigging(world, play.dig, play.controls, play.target, frameAt(t), events);
    }
    // Aims at the block and holds the button for one frame at t0 - 10, so
    // that the dig clock starts at t0.
    void startDig(int x, int y, int z, int32_t t0) {
        aim(x, y, z, kSideAbove);
        frame(t0 - 10);
        frame(t0);
    }
    bool dug(int x, int y, int z) { return cell(world, x, y, z).type == 0; }
};

struct DigCase {
    uint8_t block;
    uint8_t slowest;  // the slowest tool that digs it ...
    double slowestMs;
    uint8_t fastest;  // ... the fastest ...
    double fastestMs;
    uint8_t otherFamily;  // the best tool of the other family
    uint8_t tooWeak;      // the best tool of its family below its level (0: none)
};

// hardness * 1000 / speed, worked out by hand from the catalogue's numbers.
constexpr DigCase kDigCases[] = {
    {1, 55, 1000.00, 71, 346.15, 61, 0},   {2, 55, 555.56, 71, 192.31, 61, 0},
    {3, 55, 777.78, 71, 269.23, 61, 0},    {4, 62, 555.56, 61, 178.57, 71, 0},
    {5, 62, 1222.22, 61, 392.86, 71, 0},   {6, 55, 333.33, 71, 115.38, 61, 0},
    {7, 55, 1222.22, 71, 423.08, 61, 0},   {10, 62, 1000.00, 61, 321.43, 71, 0},
    {11, 49, 1545.45, 71, 653.85, 61, 55}, {12, 55, 1888.89, 71, 653.85, 61, 0},
    {13, 49, 1545.45, 71, 653.85, 61, 55}, {14, 49, 1636.36, 71, 692.31, 61, 55},
    {15, 50, 1428.57, 71, 769.23, 61, 49}, {16, 53, 1047.62, 71, 846.15, 61, 52},
    {17, 50, 1785.71, 71, 961.54, 61, 49}, {18, 50, 1785.71, 71, 961.54, 61, 49},
    {19, 50, 1714.29, 71, 923.08, 61, 49}, {20, 54, 1250.00, 71, 1153.85, 61, 53},
    {21, 55, 1666.67, 71, 576.92, 61, 0},  {22, 49, 1454.55, 71, 615.38, 61, 55},
    {24, 62, 111.11, 61, 35.71, 71, 0},    {25, 55, 1777.78, 71, 615.38, 61, 0},
    {26, 55, 1666.67, 71, 576.92, 61, 0},  {27, 62, 1333.33, 61, 428.57, 71, 0},
    {41, 55, 2111.11, 71, 730.77, 61, 0},  {64, 55, 2000.00, 71, 692.31, 61, 0},
    {67, 62, 1555.56, 61, 500.00, 71, 0},  {68, 62, 1555.56, 61, 500.00, 71, 0},
    {69, 62, 1555.56, 61, 500.00, 71, 0},  {70, 62, 1555.56, 61, 500.00, 71, 0},
    {73, 62, 1000.00, 61, 321.43, 71, 0},
};

TEST_F(Digging, EveryBlockTakesHardnessTimes1000OverSpeedWithItsSlowestAndFastestTool) {
    int32_t t0 = 10'000;
    for (const DigCase& c : kDigCases) {
        for (const auto& [tool, ms] :
             {std::pair{c.slowest, c.slowestMs}, {c.fastest, c.fastestMs}}) {
            SCOPED_TRACE(testing::Message() << "block " << int(c.block) << " tool " << int(tool));
            std::fill(std::begin(world.slots), std::end(world.slots), ItemStack{0, 0});
            hold(2, tool);
            put(kX, kY, kZ, c.block);
            startDig(kX, kY, kZ, t0);
            ASSERT_EQ(play.dig.digging, 1);
            EXPECT_NEAR(digTimeMs(c.block, tool), ms, 0.01);
            frame(t0 + int32_t(std::ceil(ms - 0.01)) - 1);
            EXPECT_FALSE(dug(kX, kY, kZ));
            EXPECT_EQ(play.dig.crackStage, 7);
            frame(t0 + int32_t(std::ceil(ms + 0.01)));
            EXPECT_TRUE(dug(kX, kY, kZ));
            EXPECT_EQ(play.dig.digging, 0);
            EXPECT_EQ(world.slots[0].type, dugYield(c.block));
            EXPECT_EQ(world.slots[0].count, 1);
            EXPECT_EQ(world.slots[2].type, tool);  // tools do not wear out
            t0 += 100'000;
        }
    }
}

TEST_F(Digging, NoBlockDigsWithAToolThatDoesNotQualify) {
    int32_t t0 = 10'000;
    auto neverDigs = [&](uint8_t block, uint8_t tool) {
        SCOPED_TRACE(testing::Message() << "block " << int(block) << " tool " << int(tool));
        hold(0, tool);
        put(kX, kY, kZ, block);
        startDig(kX, kY, kZ, t0);
        EXPECT_EQ(play.dig.digging, 0);
        frame(t0 + 1'000'000);
        EXPECT_EQ(at(kX, kY, kZ).type, block);
        EXPECT_EQ(countFreeCells(world), tool ? 35 : 36);
        t0 += 2'000'000;
    };
    for (const DigCase& c : kDigCases) {
        neverDigs(c.block, 0);   // bare hands
        neverDigs(c.block, 47);  // a platinum sword: swords never dig
        neverDigs(c.block, c.otherFamily);
        if (c.tooWeak) neverDigs(c.block, c.tooWeak);
    }
    // Blocks without a dig rule stay whatever the tool, snippets included.
    for (int type = 1; type < 256; ++type) {
        if (digRule(uint8_t(type)).tool != kNoTool) continue;
        neverDigs(uint8_t(type), 71);
        neverDigs(uint8_t(type), 61);
    }
}

TEST_F(Digging, CracksAdvanceInEighthsOfTheDigTime) {
    // Stone with a wooden pickaxe: 1222.2 ms, an eighth is 152.8 ms.
    hold(0, 55);
    put(kX, kY, kZ, 7);
    startDig(kX, kY, kZ, 1000);
    const int32_t expected[][2] = {{0, 0},   {152, 0},  {153, 1},  {305, 1}, {306, 2},
                                   {611, 3}, {612, 4},  {763, 4},  {764, 5}, {916, 5},
                                   {917, 6}, {1069, 6}, {1070, 7}, {1222, 7}};
    for (const auto& [elapsed, stage] : expected) {
        frame(1000 + elapsed);
        EXPECT_EQ(play.dig.crackStage, stage) << elapsed;
        EXPECT_EQ(play.dig.digging, 1) << elapsed;
    }
    frame(1000 + 1223);
    EXPECT_TRUE(dug(kX, kY, kZ));
    EXPECT_EQ(play.dig.crackStage, 7);  // kept once the dig is done
    EXPECT_EQ(world.slots[1].type, 1);  // stone gives cobblestone
}

TEST_F(Digging, ReleasingTheButtonOrChangingTargetOrHotbarCellStartsOver) {
    // Dirt with a wooden pickaxe: 555.6 ms.
    hold(0, 55);
    world.slots[1] = ItemStack{55, 1};  // the same tool in the next cell
    put(kX, kY, kZ, 2);
    put(kX + 1, kY, kZ, 2);
    startDig(kX, kY, kZ, 1000);
    frame(1500);

    // Let go for one frame: the time held before does not count.
    frame(1510, false);
    EXPECT_EQ(play.dig.digging, 0);
    frame(1520);
    EXPECT_EQ(play.dig.digStartTime, 1520);
    frame(1520 + 555);
    EXPECT_FALSE(dug(kX, kY, kZ));

    // Another hotbar cell with the same tool: one frame to take aim, then anew.
    play.controls.selectedSlot = 1;
    frame(2200);
    EXPECT_EQ(play.dig.digging, 0);
    frame(2210);
    EXPECT_EQ(play.dig.digStartTime, 2210);

    // Another block: the same.
    aim(kX + 1, kY, kZ, kSideAbove);
    frame(2300);
    EXPECT_EQ(play.dig.digging, 0);
    frame(2310);
    frame(2310 + 556);
    EXPECT_TRUE(dug(kX + 1, kY, kZ));
    EXPECT_FALSE(dug(kX, kY, kZ));

    // Nothing targeted, or no side to place on, stops a dig too.
    aim(kX, kY, kZ, kSideAbove);
    frame(3000);
    frame(3010);
    ASSERT_EQ(play.dig.digging, 1);
    aim(kX, kY, kZ, kNoSide);
    frame(3020);
    EXPECT_EQ(play.dig.digging, 0);
    play.target = Target{};
    frame(3030);
    EXPECT_EQ(play.dig.digging, 0);
}

TEST_F(Digging, AFullInventoryNeitherStartsNorFinishesADig) {
    fillInventory(1, 250);
    hold(0, 55);
    put(kX, kY, kZ, 2);
    startDig(kX, kY, kZ, 1000);
    EXPECT_EQ(play.dig.digging, 0);
    frame(5000);
    EXPECT_FALSE(dug(kX, kY, kZ));
    for (int c = 1; c < kInventoryCells; ++c) EXPECT_EQ(world.slots[c].count, 250) << c;

    // A dig under way stops when the last cell fills, and finishes into a freed one.
    world.slots[20] = ItemStack{0, 0};
    startDig(kX, kY, kZ, 6000);
    ASSERT_EQ(play.dig.digging, 1);
    world.slots[20] = ItemStack{3, 1};
    frame(6300);
    EXPECT_EQ(play.dig.digging, 0);
    world.slots[20] = ItemStack{0, 0};
    startDig(kX, kY, kZ, 7000);
    frame(7556);
    EXPECT_TRUE(dug(kX, kY, kZ));
    EXPECT_EQ(world.slots[20].type, 2);
    EXPECT_EQ(world.slots[20].count, 1);
}

TEST_F(Digging, YieldsStackBelow250ThenTakeTheLowestEmptyCell) {
    hold(0, 71);
    world.slots[5] = ItemStack{1, 250};  // full: never raised
    world.slots[9] = ItemStack{1, 17};
    put(kX, kY, kZ, 7);
    startDig(kX, kY, kZ, 1000);
    frame(1500);
    EXPECT_EQ(world.slots[9].count, 18);
    world.slots[9].count = 250;
    put(kX, kY, kZ, 7);
    startDig(kX, kY, kZ, 2000);
    frame(2500);
    EXPECT_EQ(world.slots[1].type, 1);
    EXPECT_EQ(world.slots[1].count, 1);
    EXPECT_EQ(world.slots[5].count, 250);
}

TEST_F(Digging, AChestDigsOnlyWhenEmptyAndTheChestsBehindKeepTheirContents) {
    hold(0, 61);
    // Three chests, numbered 0, 1, 2; chest 0 holds something.
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(newChestRecord(world), n);
        put(kX + 2 * n, kY, kZ, uint8_t(67 + n), uint8_t(n));
        registerChestAt(world, n, kX + 2 * n, kY, kZ);
    }
    world.chests[0][26] = ItemStack{37, 5};
    world.chests[2][0] = ItemStack{29, 9};

    startDig(kX, kY, kZ, 1000);
    EXPECT_EQ(play.dig.digging, 0);
    frame(100'000);
    EXPECT_EQ(at(kX, kY, kZ).type, 67);
    EXPECT_EQ(world.chestCount, 3);
    EXPECT_EQ(world.chests[0][26].count, 5);

    // Chest 1 (turned to face -x) is empty: it digs into one Chest item.
    startDig(kX + 2, kY, kZ, 200'000);
    frame(200'500);
    EXPECT_TRUE(dug(kX + 2, kY, kZ));
    EXPECT_EQ(world.slots[1].type, 67);
    EXPECT_EQ(world.chestCount, 2);
    // The chest behind it was renumbered with its record.
    const Cell last = at(kX + 4, kY, kZ);
    EXPECT_EQ(last.type, 69);
    EXPECT_EQ(last.aux, 1);
    EXPECT_EQ(world.chests[1][0].type, 29);
    EXPECT_EQ(world.chests[1][0].count, 9);
    EXPECT_EQ(world.chests[0][26].count, 5);
}

TEST_F(Digging, TorchesFixedToTheDugBlockComeBackAndOthersStay) {
    hold(0, 71);
    world.slots[4] = ItemStack{24, 100};
    put(kX, kY, kZ, 2);
    put(kX, kY + 1, kZ, 24, 0);  // standing on top
    put(kX + 1, kY, kZ, 24, 2);  // on its +x side
    put(kX - 1, kY, kZ, 24, 2);  // beside it, but fixed to the block at x - 2
    put(kX, kY, kZ + 1, 24, 4);  // on its +z side
    put(kX, kY, kZ - 1, 24, 4);  // beside it, fixed to the block at z - 2
    startDig(kX, kY, kZ, 1000);
    frame(1200);
    ASSERT_TRUE(dug(kX, kY, kZ));
    EXPECT_EQ(at(kX, kY + 1, kZ).type, 0);
    EXPECT_EQ(at(kX + 1, kY, kZ).type, 0);
    EXPECT_EQ(at(kX, kY, kZ + 1).type, 0);
    EXPECT_EQ(at(kX - 1, kY, kZ).type, 24);
    EXPECT_EQ(at(kX, kY, kZ - 1).type, 24);
    // One onto the stack below 250, the other two as one new stack after the dirt.
    EXPECT_EQ(world.slots[4].count, 101);
    EXPECT_EQ(world.slots[1].type, 2);
    EXPECT_EQ(world.slots[2].type, 24);
    EXPECT_EQ(world.slots[2].count, 2);

    // The other two mounts (torches on the -x and -z faces).
    put(kX, kY, kZ, 2);
    put(kX - 1, kY, kZ, 24, 3);
    put(kX, kY, kZ - 1, 24, 1);
    startDig(kX, kY, kZ, 5000);
    frame(5200);
    EXPECT_EQ(at(kX - 1, kY, kZ).type, 0);
    EXPECT_EQ(at(kX, kY, kZ - 1).type, 0);
    // One onto each torch stack below 250, in cell order.
    EXPECT_EQ(world.slots[2].count, 3);
    EXPECT_EQ(world.slots[4].count, 102);
}

TEST_F(Digging, TorchesAtTheTopOfTheWorldAndTorchesWithoutAnEmptyCell) {
    // At the top layer there is nothing above to look at.
    hold(0, 71);
    put(0, 199, 999, 2);
    put(1, 199, 999, 24, 2);
    startDig(0, 199, 999, 1000);
    frame(1200);
    EXPECT_EQ(at(1, 199, 999).type, 0);
    EXPECT_EQ(world.slots[2].type, 24);

    // The dirt takes the last empty cell; the two torches still find room on
    // the torch stack instead of vanishing.
    fillInventory(3, 250);
    hold(0, 71);
    world.slots[7] = ItemStack{24, 100};
    world.slots[30] = ItemStack{0, 0};
    put(kX, kY, kZ, 2);
    put(kX, kY + 1, kZ, 24, 0);
    put(kX + 1, kY, kZ, 24, 2);
    startDig(kX, kY, kZ, 5000);
    frame(5200);
    EXPECT_TRUE(dug(kX, kY, kZ));
    EXPECT_EQ(world.slots[30].type, 2);
    EXPECT_EQ(world.slots[7].count, 102);
}

}  // namespace
