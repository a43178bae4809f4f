#include "world/chests.h"

#include <algorithm>
#include <vector>

#include "world/block_types.h"

namespace {

void rebuildMap(World& world) {
    ChestPositions& map = world.chestPositions;
    for (auto& list : map.cells) list.clear();
    const Cell* grid = world.cells.get();
    if (grid) {
        for (size_t i = 0; i < kCellCount; ++i)
            if (block::isChest(grid[i].type)) map.cells[grid[i].aux].push_back(uint32_t(i));
    }
    map.known = true;
}

bool hasRecord(const World& world, int number) {
    return number >= 0 && number < world.chestCount;
}

}  // namespace

void openChest(World& world, int number) {
    ItemStack* open = world.slots + kInventoryCells;
    if (hasRecord(world, number))
        std::copy_n(world.chests[number], kChestCells, open);
    else
        std::fill_n(open, kChestCells, ItemStack{0, 0});
}

void closeChest(World& world, int number) {
    if (hasRecord(world, number))
        std::copy_n(world.slots + kInventoryCells, kChestCells, world.chests[number]);
}

int newChestRecord(World& world) {
    if (world.chestCount >= kMaxChests) return -1;
    int number = world.chestCount++;
    std::fill_n(world.chests[number], kChestCells, ItemStack{0, 0});
    world.chestPositions.cells[number].clear();
    return number;
}

void registerChestAt(World& world, int number, int x, int y, int z) {
    ChestPositions& map = world.chestPositions;
    if (!map.known || number < 0 || number >= kChestRecords || !inWorld(x, y, z)) return;
    map.cells[number].push_back(uint32_t(cellIndex(x, y, z)));
}

void removeChestRecord(World& world, int number) {
    if (!hasRecord(world, number)) return;
    ChestPositions& map = world.chestPositions;
    if (!map.known) rebuildMap(world);
    const int count = world.chestCount;
    for (int j = number; j + 1 < count; ++j)
        std::copy_n(world.chests[j + 1], kChestCells, world.chests[j]);
    std::fill_n(world.chests[count - 1], kChestCells, ItemStack{0, 0});
    world.chestCount = uint8_t(count - 1);

    // The chests behind the removed one follow their records down.
    Cell* grid = world.cells.get();
    for (int j = number + 1; j < count; ++j) {
        for (uint32_t i : map.cells[j])
            if (grid && block::isChest(grid[i].type) && grid[i].aux == j) grid[i].aux = uint8_t(j - 1);
        map.cells[j - 1] = std::move(map.cells[j]);
        map.cells[j].clear();
    }
}

void forgetChestPositions(World& world) {
    world.chestPositions.known = false;
}

void clearChestPositions(World& world) {
    for (auto& list : world.chestPositions.cells) list.clear();
    world.chestPositions.known = true;
}
