#include "world/world.h"

#include <cstring>

#include "platform/memory.h"
#include "world/cell_changes.h"

void GridDeleter::operator()(void* p) const { plat::releaseZeroed(p, kCellCount * sizeof(Cell)); }

WorldResult allocateWorldStorage(World& world) {
    if (world.worldStorageReady) return WorldResult::Done;
    void* memory = plat::allocateZeroed(kCellCount * sizeof(Cell));
    if (!memory) return WorldResult::NoMemory;
    world.cells.reset(static_cast<Cell*>(memory));
    world.worldStorageReady = true;
    return WorldResult::Done;
}

void clearWorld(World& world) {
    std::memset(world.cells.get(), 0, kCellCount * sizeof(Cell));
    noteWorldReplaced(world);
}

void resetWorldValues(World& world) {
    world.DayTime = 180;
    world.SubDayTime = 0;
    const uint8_t gauges[3][2] = {{10, 10}, {5, 5}, {3, 3}};
    std::memcpy(world.gauges, gauges, sizeof gauges);
    std::memset(world.counters, 0, sizeof world.counters);
    std::memset(world.slots, 0, sizeof world.slots);
    world.slots[0] = ItemStack{62, 1};  // a new player starts with a wooden axe
    world.chestCount = 0;
}

float spawnEyeHeight(const World& world, int x, int z) {
    if (!world.cells || !inWorld(x, 0, z)) return 4.0f;
    for (int y = kWorldSizeY - 2; y >= 0; --y)
        if (cell(world, x, y, z).type != 0) return float(y + 5);
    return 4.0f;
}
