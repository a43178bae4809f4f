// The block under the crosshair. Each frame the camera lays 70 samples along
// the look direction (0.1 apart, out to 7); the nearest sample that lies in a
// drawn block within reach picks that block; the ray's entry side then gives
// the side where a placed block would go. Owns the samples and the best
// sample found; the result goes to the target (game/target.h).
#pragma once

#include "world/geometry.h"

inline constexpr int kRaySamples = 70;
inline constexpr float kPickReach = 7.0f;

struct Picking {
    Vec3 raySamples[kRaySamples] = {};
    int bestSample = kRaySamples;  // kRaySamples = nothing hit yet
};

const Picking& picking();
// Nothing picked, no side, and this frame's samples from the eye.
void resetPicking();
// A drawing walk's test of one drawn block, in drawing order: it takes the
// target when it holds a sample nearer than the best so far.
void pickTestBlock(int x, int y, int z);
// Whether a block lies within 7 of the eye on every axis.
bool withinPickReach(int x, int y, int z);
// For a picker that found the nearest sample on its own: block (x, y, z)
// holds sample `sample`, nearer than anything else drawn.
void setPickedBlock(int x, int y, int z, int sample);
// The side of the target facing the eye where a new block may go (NewBlock).
void choosePlacementSide();
void resetPickingState();
