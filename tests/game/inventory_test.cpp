// Adding one unit: the first stack of its type below 250, else the lowest
// empty cell, else no room.
#include "game/inventory.h"
#include "test_support.h"
#include "world/world.h"

namespace {

using Inventory = GameTest;

TEST_F(Inventory, AddOneItemStacksBelow250ThenTakesTheLowestEmptyCell) {
    std::fill(std::begin(world.slots), std::end(world.slots), ItemStack{0, 0});
    world.slots[0] = ItemStack{5, 250};
    world.slots[4] = ItemStack{9, 0};  // typed but with no items: not empty
    world.slots[20] = ItemStack{5, 249};
    EXPECT_TRUE(addOneItem(world, 5));
    EXPECT_EQ(world.slots[20].count, 250);
    EXPECT_TRUE(addOneItem(world, 5));  // every stack is full: a new one, hotbar first
    EXPECT_EQ(world.slots[1].type, 5);
    EXPECT_EQ(world.slots[1].count, 1);
    EXPECT_EQ(world.slots[0].count, 250);
    EXPECT_EQ(countFreeCells(world), 32);

    for (int c = 0; c < kInventoryCells; ++c) world.slots[c] = ItemStack{7, 250};
    world.slots[kInventoryCells] = ItemStack{0, 0};  // the chest's copy is not the inventory
    EXPECT_FALSE(addOneItem(world, 7));
    EXPECT_FALSE(addOneItem(world, 8));
    EXPECT_EQ(world.slots[kInventoryCells].type, 0);
    EXPECT_EQ(countFreeCells(world), 0);
}

}  // namespace
