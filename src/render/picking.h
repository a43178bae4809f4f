// The block under the crosshair. Each frame the camera lays 70 samples along
// the look direction (0.1 apart, out to 7); the nearest sample that lies in a
// drawn block within reach picks that block; the ray's entry side then gives
// the side where a placed block would go. A Picking holds one frame's samples
// and what they found so far.
#pragma once

#include "game/player.h"
#include "game/target.h"
#include "world/geometry.h"
#include "world/world.h"

inline constexpr int kRaySamples = 70;
inline constexpr float kPickReach = 7.0f;

struct Picking {
    Vec3 eye{};
    float turn = 0.0f, pitch = 0.0f;
    Vec3 raySamples[kRaySamples] = {};
    int bestSample = kRaySamples;  // kRaySamples = nothing hit yet
    Target target;                 // the block found, and later its side
};

// Nothing picked, no side, and this frame's samples from the player's eye.
Picking startPicking(const Player& player);
// A drawing walk's test of one drawn block, in drawing order: it takes the
// target when it holds a sample nearer than the best so far.
void pickTestBlock(const World& world, Picking& pick, int x, int y, int z);
// Whether a block lies within 7 of the eye on every axis.
bool withinPickReach(const Vec3& eye, int x, int y, int z);
// For a picker that found the nearest sample on its own: block (x, y, z)
// holds sample `sample`, nearer than anything else drawn.
void setPickedBlock(Picking& pick, int x, int y, int z, int sample);
// The side of the target facing the eye where a new block may go (NewBlock).
void choosePlacementSide(const World& world, Picking& pick);
