// The block under the crosshair and the side of it where a placed block would
// go. They are picked before every Playing frame is drawn; the update that
// follows reads them (digging, placing, the debug lines).
#pragma once

#include <cstdint>

#include "world/geometry.h"

inline constexpr Vec3 kNoTarget{-1.0f, -1.0f, -1.0f};

// Sides of the target block where a new block can go, and NewBlock's values.
enum PlacementSide : uint8_t {
    kNoSide = 0,
    kSideBelow = 1,  // y - 1
    kSideAbove = 2,  // y + 1
    kSideMinusZ = 3,
    kSideMinusX = 4,
    kSidePlusX = 5,
    kSidePlusZ = 6,
};

struct Target {
    Vec3 targetBlock = kNoTarget;  // whole numbers; kNoTarget = nothing picked
    uint8_t NewBlock = kNoSide;
};

inline bool hasTarget(const Target& t) {
    return !(t.targetBlock == kNoTarget);
}
