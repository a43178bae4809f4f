// A patch of grassy dirt under open sky in the real grid, for a scene played
// on it: laid in a test's set-up and emptied again in its tear-down, so that
// no later test finds it.
#pragma once

#include "world/block_types.h"
#include "world/world.h"

struct GrassPatch {
    int x0, x1, y, z0, z1;  // inclusive; the grass is at height y

    void lay() const {
        empty();
        for (int x = x0; x <= x1; ++x)
            for (int z = z0; z <= z1; ++z) cell(x, y, z) = Cell{block::Dirt, 1};  // grassy
    }
    void empty() const {
        for (int x = x0; x <= x1; ++x)
            for (int yy = y; yy < kWorldSizeY; ++yy)
                for (int z = z0; z <= z1; ++z) cell(x, yy, z) = Cell{0, 0};
    }
};
