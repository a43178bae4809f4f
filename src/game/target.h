// The block under the crosshair and the side of it where a placed block would
// go. The drawing of every Playing frame finds them (picking); the update that
// follows reads them (digging, placing, the debug lines).
#pragma once

#include <cstdint>

#include "world/geometry.h"

inline constexpr Vec3 kNoTarget{-1.0f, -1.0f, -1.0f};

// Sides of the target block where a new block can go, and NewBlock's values.
enum PlacementSide : uint8_t {
    kNoSide = 0,
    kSideBelow = 1,   // y - 1
    kSideAbove = 2,   // y + 1
    kSideMinusZ = 3,
    kSideMinusX = 4,
    kSidePlusX = 5,
    kSidePlusZ = 6,
};

struct Target {
    Vec3 targetBlock = kNoTarget;  // whole numbers; kNoTarget = nothing picked
    uint8_t NewBlock = kNoSide;
};

const Target& target();
inline bool hasTarget() { return !(target().targetBlock == kNoTarget); }
// The picking's result for this frame.
void setTarget(const Vec3& block, uint8_t newBlock);
// Nothing targeted (new worlds, loads, the start of each frame's picking).
void resetTarget();
