// Making a new world from a seed: flat ground, stepped hills, trees and the
// pockets of dirt, gravel and ores, the same grid for the same seed.
#pragma once

#include <cstdint>

#include "world/job_slice.h"
#include "world/msvc_random.h"
#include "world/world.h"
#include "world/world_result.h"

// What a generation went through, for tests and tools that replay it.
struct GenerationReport {
    int32_t treeAttempts = 0;  // failed attempts included
};

// A box of dirt, gravel or ore inside the ground.
struct Pocket {
    int x0, y0, z0, sx, sy, sz;
};

// A generation under way. Its steps in order: the grid made ready (made, or
// cleared slab by slab), the ground slab by slab, the hills one by one, the
// trees attempt by attempt, then the pockets a batch at a time.
struct GenerationJob {
    enum class Phase : uint8_t { Allocate, Clear, Ground, Hills, Trees, Pockets, Ended };
    Phase phase = Phase::Allocate;
    int index = 0;     // the slab, hill, standing tree or pocket of the phase
    int pass = 0;      // the pocket pass
    int drawn = 0;     // pockets of the pass drawn so far (some wait in `ahead`)
    static constexpr int kAhead = 16;
    Pocket ahead[kAhead] = {};
    MsvcRandom random;
    GenerationReport report;
    WorldResult result = WorldResult::Done;
};

// Begins the world of `seed`: resets every world-level value and sets
// world.Seed at once; the grid follows in steps.
void beginGeneration(World& world, GenerationJob& job, int32_t seed);
// Works on until the slice is spent or the job ends; true once it has ended,
// with `result` Done or NoMemory. A job dropped before its end leaves the
// grid half made.
bool stepGeneration(World& world, GenerationJob& job, JobSlice& slice);

// The whole job in one call, for tools and tests. `report`, when given,
// learns what the generation went through.
WorldResult generateWorldFromSeed(World& world, int32_t seed,
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
