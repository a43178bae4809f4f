#include "game/inventory.h"

#include <algorithm>

#include "world/block_types.h"
#include "world/world.h"

int countFreeCells(const World& world) {
    int free = 0;
    for (int c = 0; c < kInventoryCells; ++c)
        if (world.slots[c].type == 0) ++free;
    return free;
}

namespace {

int firstEmptyCell(const World& world) {
    for (int c = 0; c < kInventoryCells; ++c)
        if (world.slots[c].type == 0) return c;
    return -1;
}

}  // namespace

bool addOneItem(World& world, uint8_t type) {
    for (int c = 0; c < kInventoryCells; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type == type && s.count < maxStack) {
            ++s.count;
            return true;
        }
    }
    const int empty = firstEmptyCell(world);
    if (empty < 0) return false;
    world.slots[empty] = ItemStack{type, 1};
    return true;
}

int returnTorches(World& world, int count) {
    for (int c = 0; c < kInventoryCells && count > 0; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type == block::Torch && s.count < maxStack) {
            ++s.count;
            --count;
        }
    }
    if (count <= 0) return 0;
    if (const int empty = firstEmptyCell(world); empty >= 0) {
        const int stack = std::min(count, maxStack);
        world.slots[empty] = ItemStack{block::Torch, uint8_t(stack)};
        count -= stack;
    }
    // No empty cell (or more than one stack's worth): rather than throw
    // torches away, fill the stacks that still have room.
    for (int c = 0; c < kInventoryCells && count > 0; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type != block::Torch || s.count >= maxStack) continue;
        const int room = std::min(count, maxStack - s.count);
        s.count = uint8_t(s.count + room);
        count -= room;
    }
    return count;
}
