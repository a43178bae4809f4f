#include "world/world.h"

#include <cstring>

#include "platform/memory.h"
#include "world/cell_changes.h"
#include "world/progress_pump.h"

void GridDeleter::operator()(void* p) const { plat::releaseZeroed(p, kCellCount * sizeof(Cell)); }

WorldResult allocateWorldStorage(World& world, ProgressPump& pump) {
    if (world.worldStorageReady) return WorldResult::Done;
    if (PumpResult r = progressPump(pump); r != PumpResult::Continue) return stoppedBy(r);
    void* memory = plat::allocateZeroed(kCellCount * sizeof(Cell));
    if (!memory) return WorldResult::NoMemory;
    world.cells.reset(static_cast<Cell*>(memory));
    world.worldStorageReady = true;
    return WorldResult::Done;
}

WorldResult clearWorld(World& world, ProgressPump& pump) {
    Cell* row = world.cells.get();
    // One z-row at a time, in x, y, z order, with the pump between rows.
    for (int xy = 0; xy < kWorldSizeX * kWorldSizeY; ++xy, row += kWorldSizeZ) {
        if (PumpResult r = progressPump(pump); r != PumpResult::Continue) return stoppedBy(r);
        std::memset(row, 0, sizeof(Cell) * kWorldSizeZ);
    }
    noteWorldReplaced(world);
    return WorldResult::Done;
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
