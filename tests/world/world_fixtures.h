// Helpers shared by the world tests: a whole-grid hash and a replay of the
// generator's random draws that rebuilds the landscape's layout on its own.
#pragma once

#include <cstdint>
#include <vector>

#include "world/world.h"

// FNV-1a 64 over every cell's two bytes, in grid order.
inline uint64_t gridHash(const World& world) {
    uint64_t h = 1469598103934665603ull;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(world.cells.get());
    for (size_t i = 0; i < kCellCount * 2; ++i) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}
