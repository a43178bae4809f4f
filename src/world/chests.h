// The chest table's operations: opening a chest into the working cells and
// closing it back, making and removing records, and the map from chest numbers
// to the grid cells that hold them (World::chestPositions), so that every placed chest keeps its
// own contents when another one is dug.
#pragma once

#include <cstdint>

#include "world/world.h"

// Record `number` into cells 36..62 (empty cells for a number without a record).
void openChest(World& world, int number);
// Cells 36..62 back into record `number` (dropped when it has no record).
void closeChest(World& world, int number);

// A fresh, empty record for a chest being placed: its number, or -1 when all
// 255 records are in use (the chest must then not be placed).
int newChestRecord(World& world);
// The placing code tells where chest `number` now stands.
void registerChestAt(World& world, int number, int x, int y, int z);
// Drops record `number` (a dug chest); the records behind it move down one
// place and the chests standing in the grid with those numbers are renumbered.
void removeChestRecord(World& world, int number);

// The grid was replaced wholesale: the map is rebuilt by one scan of the grid
// the next time a record is removed.
void forgetChestPositions(World& world);
// The grid holds no chests at all (a freshly generated world).
void clearChestPositions(World& world);
