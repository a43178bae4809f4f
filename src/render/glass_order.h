// The order glass is drawn in: far to near from the eye, blocks at the same
// distance in the reverse of the order the view walks them (x, then y, then z).
#pragma once

#include <cstdint>
#include <vector>

#include "world/geometry.h"

// The distance used to order glass: across x and y first, rounded to a float,
// then with z, rounded again.
float glassDistance(const Vec3& eye, int x, int y, int z);

// Sorting key: larger keys are drawn first. `walkIndex` is the block's place
// in the view's x, y, z walk (any numbering in that order).
inline uint64_t glassKey(float distance, uint32_t walkIndex) {
    uint32_t bits;
    static_assert(sizeof bits == sizeof distance);
    __builtin_memcpy(&bits, &distance, sizeof bits);
    return uint64_t(bits) << 32 | walkIndex;  // distances are never negative
}

struct GlassEntry {
    uint64_t key;
    uint32_t item;  // the caller's reference to the block
};
// Into drawing order: the farthest first.
void sortGlassForDrawing(std::vector<GlassEntry>& entries);
