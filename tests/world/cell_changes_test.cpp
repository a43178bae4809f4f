// The change log the renderer rebuilds from: what a write replaced, whole-world
// replacements, and a log that never grows without bound.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/cell_changes.h"
#include "world/world.h"

namespace {

using CellChanges = GameTest;

TEST_F(CellChanges, WritesAreLoggedWithWhatTheyReplaced) {
    allocateWorldStorage(world);
    cell(world, 10, 20, 30) = Cell{7, 0};
    setCell(world, 10, 20, 30, Cell{24, 3});
    noteCellChanged(world, 11, 20, 30);
    std::vector<CellChange> got;
    takeCellChanges(world, got);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(got[0].beforeKnown);
    EXPECT_EQ(got[0].before.type, 7);
    EXPECT_EQ(cell(world, 10, 20, 30).type, 24);
    EXPECT_EQ(cell(world, 10, 20, 30).aux, 3);
    EXPECT_FALSE(got[1].beforeKnown);
    EXPECT_EQ(got[1].x, 11);
    takeCellChanges(world, got);
    EXPECT_TRUE(got.empty());
    cell(world, 10, 20, 30) = Cell{0, 0};
}

TEST_F(CellChanges, ANewWorldOrAFloodOfWritesStartsOver) {
    const uint32_t epoch = worldEpoch(world);
    noteCellChanged(world, 1, 1, 1);
    noteWorldReplaced(world);
    EXPECT_EQ(worldEpoch(world), epoch + 1);
    std::vector<CellChange> got;
    takeCellChanges(world, got);
    EXPECT_TRUE(got.empty());
    for (int i = 0; i < 70000; ++i) noteCellChanged(world, i % 1000, 5, 5);
    EXPECT_GT(worldEpoch(world), epoch + 1);
    takeCellChanges(world, got);
    EXPECT_LT(got.size(), 70000u);
}

}  // namespace
