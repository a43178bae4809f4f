#include "world/chests.h"

#include <algorithm>
#include <vector>

#include "world/block_types.h"
#include "world/world.h"

namespace {

// Per chest number, the grid cells (indices) that were given that number.
// Entries can go stale when a chest is dug; every use checks the cell first.
struct ChestMap {
    bool known = true;
    std::vector<uint32_t> cells[kChestRecords];
};
ChestMap chestMap;

void rebuildMap() {
    for (auto& list : chestMap.cells) list.clear();
    const Cell* grid = world.cells.get();
    if (grid) {
        for (size_t i = 0; i < kCellCount; ++i)
            if (block::isChest(grid[i].type)) chestMap.cells[grid[i].aux].push_back(uint32_t(i));
    }
    chestMap.known = true;
}

bool hasRecord(int number) {
    return number >= 0 && number < world.chestCount;
}

}  // namespace

void openChest(int number) {
    ItemStack* open = world.slots + kInventoryCells;
    if (hasRecord(number))
        std::copy_n(world.chests[number], kChestCells, open);
    else
        std::fill_n(open, kChestCells, ItemStack{0, 0});
}

void closeChest(int number) {
    if (hasRecord(number))
        std::copy_n(world.slots + kInventoryCells, kChestCells, world.chests[number]);
}

int newChestRecord() {
    if (world.chestCount >= kMaxChests) return -1;
    int number = world.chestCount++;
    std::fill_n(world.chests[number], kChestCells, ItemStack{0, 0});
    chestMap.cells[number].clear();
    return number;
}

void registerChestAt(int number, int x, int y, int z) {
    if (!chestMap.known || number < 0 || number >= kChestRecords || !inWorld(x, y, z)) return;
    chestMap.cells[number].push_back(uint32_t(cellIndex(x, y, z)));
}

void removeChestRecord(int number) {
    if (!hasRecord(number)) return;
    if (!chestMap.known) rebuildMap();
    const int count = world.chestCount;
    for (int j = number; j + 1 < count; ++j)
        std::copy_n(world.chests[j + 1], kChestCells, world.chests[j]);
    std::fill_n(world.chests[count - 1], kChestCells, ItemStack{0, 0});
    world.chestCount = uint8_t(count - 1);

    // The chests behind the removed one follow their records down.
    Cell* grid = world.cells.get();
    for (int j = number + 1; j < count; ++j) {
        for (uint32_t i : chestMap.cells[j])
            if (grid && block::isChest(grid[i].type) && grid[i].aux == j) grid[i].aux = uint8_t(j - 1);
        chestMap.cells[j - 1] = std::move(chestMap.cells[j]);
        chestMap.cells[j].clear();
    }
}

void forgetChestPositions() {
    chestMap.known = false;
}

void clearChestPositions() {
    for (auto& list : chestMap.cells) list.clear();
    chestMap.known = true;
}
