// The block grid of 1000 x 200 x 1000 cells and the values that belong to a
// world: seed, time of day, status values, inventory and chest table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "world/world_result.h"

inline constexpr int kWorldSizeX = 1000;
inline constexpr int kWorldSizeY = 200;
inline constexpr int kWorldSizeZ = 1000;
inline constexpr size_t kCellCount = size_t(kWorldSizeX) * kWorldSizeY * kWorldSizeZ;

struct Cell {
    uint8_t type;  // block type, 0 = air
    uint8_t aux;   // grass flag, torch mount, furnace facing or chest number
};

// One inventory or chest cell.
struct ItemStack {
    uint8_t type;   // 0 = empty, whatever the count
    uint8_t count;
};

inline constexpr int kInventoryCells = 36;
inline constexpr int kChestCells = 27;
inline constexpr int kSlotCells = kInventoryCells + kChestCells;  // + the open chest's copy
inline constexpr int kChestRecords = 256;
inline constexpr int kMaxChests = 255;

struct GridDeleter {
    void operator()(void* p) const;
};

// A cell's place in the grid.
struct CellPos {
    int x, y, z;
    bool operator==(const CellPos&) const = default;
};

// One change of a cell since the drawing last caught up (cell_changes.h).
struct CellChange {
    int16_t x, y, z;
    bool beforeKnown;  // false: the cell was written directly, its old value is lost
    Cell before;
};

// The grid's changes not yet taken by the drawing, and how many times the
// whole grid was replaced (cell_changes.h).
struct ChangeLog {
    uint32_t epoch = 1;  // never 0, which is what a reader that saw no world holds
    std::vector<CellChange> pending;
};

// Per chest number, the grid cells (indices) that were given that number
// (chests.h). Entries can go stale when a chest is dug; every use checks the
// cell first.
struct ChestPositions {
    bool known = true;
    std::vector<uint32_t> cells[kChestRecords];
};

struct World {
    // x outermost, then y, then z: cell (x, y, z) is at (x * 200 + y) * 1000 + z.
    // Taken zeroed from the system so that the pages cost nothing until written.
    std::unique_ptr<Cell[], GridDeleter> cells;
    bool worldStorageReady = false;

    int32_t Seed = 0;
    uint8_t DayTime = 180;
    uint8_t SubDayTime = 0;
    uint8_t gauges[3][2] = {{10, 10}, {5, 5}, {3, 3}};
    uint8_t counters[3] = {0, 0, 0};
    // 0..35 the inventory (0..8 the hotbar); 36..62 the open chest's working copy.
    ItemStack slots[kSlotCells] = {};
    uint8_t chestCount = 0;
    ItemStack chests[kChestRecords][kChestCells] = {};

    // Where each numbered chest stands, and what changed since the drawing
    // last looked: kept beside the grid, so that whoever writes the cells
    // keeps them true.
    ChestPositions chestPositions;
    ChangeLog changes;
};

inline size_t cellIndex(int x, int y, int z) {
    return (size_t(x) * kWorldSizeY + size_t(y)) * kWorldSizeZ + size_t(z);
}

inline bool inWorld(int x, int y, int z) {
    return unsigned(x) < unsigned(kWorldSizeX) && unsigned(y) < unsigned(kWorldSizeY) &&
           unsigned(z) < unsigned(kWorldSizeZ);
}

// The caller guarantees the bounds (and that the grid is there).
inline Cell& cell(World& w, int x, int y, int z) {
    return w.cells[cellIndex(x, y, z)];
}
inline const Cell& cell(const World& w, int x, int y, int z) {
    return w.cells[cellIndex(x, y, z)];
}

// Bounds-checked read: anything outside the grid is air.
inline Cell cellOrAir(const World& w, int x, int y, int z) {
    return inWorld(x, y, z) ? cell(w, x, y, z) : Cell{0, 0};
}

// Eye height of a player set down in column (x, z): five above the highest
// solid cell below the top layer, or 4 when the column is empty.
float spawnEyeHeight(const World& world, int x, int z);

// Sizes the grid once (it comes zeroed: all air). Done or NoMemory.
WorldResult allocateWorldStorage(World& world);
// Every cell to air, at once (the game's generation clears in steps).
void clearWorld(World& world);
// The world-level values of a brand-new world (cells untouched).
void resetWorldValues(World& world);
