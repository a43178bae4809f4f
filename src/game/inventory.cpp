#include "game/inventory.h"

#include "world/world.h"

InventoryReadout inventoryReadout;

int recountFreeCells() {
    inventoryReadout.freeCellCount = uint8_t(countFreeCells());
    return inventoryReadout.freeCellCount;
}

void resetInventoryReadout() { inventoryReadout = InventoryReadout{}; }

int countFreeCells() {
    int free = 0;
    for (int c = 0; c < kInventoryCells; ++c)
        if (world.slots[c].type == 0) ++free;
    return free;
}

bool addOneItem(uint8_t type) {
    for (int c = 0; c < kInventoryCells; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type == type && s.count < kMaxStack) {
            ++s.count;
            return true;
        }
    }
    for (int c = 0; c < kInventoryCells; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type == 0) {
            s = ItemStack{type, 1};
            return true;
        }
    }
    return false;
}
