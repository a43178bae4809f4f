#include "world/world.h"

#include <cstring>

#include "platform/memory.h"
#include "platform/platform.h"
#include "world/progress_pump.h"

World world;

void GridDeleter::operator()(void* p) const { plat::releaseZeroed(p, kCellCount * sizeof(Cell)); }

int allocateWorldStorage() {
    if (world.worldStorageReady) return 0;
    int32_t timer = plat::clockMs();
    if (PumpResult r = progressPump(timer); r != PumpResult::Continue) return pumpExitCode(r);
    void* memory = plat::allocateZeroed(kCellCount * sizeof(Cell));
    if (!memory) {
        plat::errorBox("ERRORE", "Memoria insufficiente per il mondo.");
        return -1;
    }
    world.cells.reset(static_cast<Cell*>(memory));
    world.worldStorageReady = true;
    return 0;
}

int clearWorld() {
    int32_t timer = plat::clockMs();
    Cell* row = world.cells.get();
    // One z-row at a time, in x, y, z order, with the pump between rows.
    for (int xy = 0; xy < kWorldSizeX * kWorldSizeY; ++xy, row += kWorldSizeZ) {
        if (PumpResult r = progressPump(timer); r != PumpResult::Continue) return pumpExitCode(r);
        std::memset(row, 0, sizeof(Cell) * kWorldSizeZ);
    }
    return 0;
}

void resetWorldValues() {
    world.DayTime = 180;
    world.SubDayTime = 0;
    const uint8_t gauges[3][2] = {{10, 10}, {5, 5}, {3, 3}};
    std::memcpy(world.gauges, gauges, sizeof gauges);
    std::memset(world.counters, 0, sizeof world.counters);
    std::memset(world.slots, 0, sizeof world.slots);
    world.slots[0] = ItemStack{62, 1};  // a new player starts with a wooden axe
    world.chestCount = 0;
}

float spawnEyeHeight(int x, int z) {
    if (!world.cells || !inWorld(x, 0, z)) return 4.0f;
    for (int y = kWorldSizeY - 2; y >= 0; --y)
        if (cell(x, y, z).type != 0) return float(y + 5);
    return 4.0f;
}
