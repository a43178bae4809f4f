// The rules of the inventory: 36 cells of (type, count), the first nine the
// hotbar, at most 250 items a cell, and units added one at a time.
#pragma once

#include <cstdint>

inline constexpr int kMaxStack = 250;

// Cells among 0..35 whose type is 0 (a typed cell with count 0 is not free).
int countFreeCells();

// The count as the heads-up display last showed it (the display counts again
// in every frame it is drawn).
struct InventoryReadout {
    uint8_t freeCellCount = 0;
};
extern InventoryReadout inventoryReadout;
int recountFreeCells();
void resetInventoryReadout();
// One unit of `type`: onto the first stack of it below 250, else into the
// first empty cell; false when there is no room (the unit is lost).
bool addOneItem(uint8_t type);
