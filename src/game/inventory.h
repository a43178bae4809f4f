// The rules of the inventory: 36 cells of (type, count), the first nine the
// hotbar, at most 250 items a cell, units added one at a time, and torches
// that fall off a dug block coming back.
#pragma once

#include <cstdint>
#include "world/world.h"

inline constexpr int maxStack = 250;

// Cells among 0..35 whose type is 0 (a typed cell with count 0 is not free).
// Digging, crafting and the display count afresh whenever they need it.
int countFreeCells(const World& world);

// One unit of `type`: onto the first stack of it below 250, else into the
// first empty cell; false when there is no room (the unit is lost).
bool addOneItem(World& world, uint8_t type);

// Torches that fell off a dug block: one onto each torch stack below 250, in
// cell order, the rest as one stack in the first empty cell. With no empty
// cell left they top up the torch stacks instead. Returns how many found no
// room at all (they are lost).
int returnTorches(World& world, int count);
