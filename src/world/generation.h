// Making a new world from a seed: flat ground, stepped hills, trees and the
// pockets of dirt, gravel and ores, the same grid for the same seed.
#pragma once

#include <cstdint>

#include "world/progress_pump.h"
#include "world/world.h"
#include "world/world_result.h"

// What a generation went through, for tests and tools that replay it.
struct GenerationReport {
    int32_t treeAttempts = 0;  // failed attempts included
};

// Generates the world of `seed` into the grid and resets every world-level
// value; sets world.Seed. Done, Quit (the world is left half made), DrawFailed
// or NoMemory. `report`, when given, learns what the generation went through.
WorldResult generateWorldFromSeed(World& world, int32_t seed, ProgressPump& pump,
                                  GenerationReport* report = nullptr);

// A new player stands on this column; no tree grows over it.
inline constexpr int kSpawnColumnX = 500;
inline constexpr int kSpawnColumnZ = 500;

// Tuning constants of the landscape.
inline constexpr int kGroundTop = 100;  // top of the flat ground, grassy dirt
inline constexpr int kDirtBottom = 98;  // three layers of dirt over stone
inline constexpr int kHillCount = 2250;
inline constexpr int kTreeCount = 6750;

struct PocketPass {
    uint8_t type;
    int32_t pockets;
    int32_t largestEdge;
};
inline constexpr int kPocketPassCount = 16;
// Later passes overwrite earlier ones, so the rare ores go last.
inline constexpr PocketPass kPocketPasses[kPocketPassCount] = {
    {2, 128000, 4}, {3, 72000, 4},  {21, 98000, 4}, {11, 32000, 3}, {22, 40500, 3}, {25, 50000, 4},
    {13, 24500, 3}, {12, 40500, 4}, {64, 24500, 3}, {14, 18000, 3}, {15, 12500, 3}, {16, 8000, 3},
    {17, 6120, 3},  {18, 4500, 3},  {19, 3120, 3},  {20, 2000, 3},
};
