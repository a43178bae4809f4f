#include "world/generation.h"

#include <algorithm>
#include <cstdlib>

#include "platform/memory.h"
#include "platform/platform.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/msvc_random.h"
#include "world/progress_pump.h"
#include "world/world.h"

namespace {

constexpr uint8_t kAir = 0;
constexpr uint8_t kDirt = 2;
constexpr uint8_t kLeaves = 4;
constexpr uint8_t kRawWood = 5;
constexpr uint8_t kStone = 7;

// Pump results other than Continue end the whole generation.
inline bool stopped(PumpResult r) {
    return r != PumpResult::Continue;
}

// One generation's random stream and what it went through.
struct Run {
    MsvcRandom random;
    GenerationReport report;
};

Cell* zRow(World& world, int x, int y) {
    return world.cells.get() + cellIndex(x, y, 0);
}

// Every cell back to air, x slab by x slab, pumping between slabs.
PumpResult clearCells(World& world, ProgressPump& pump) {
    for (int x = 0; x < kWorldSizeX; ++x) {
        if (PumpResult r = progressPump(pump); stopped(r)) return r;
        std::fill_n(zRow(world, x, 0), size_t(kWorldSizeY) * kWorldSizeZ, Cell{kAir, 0});
    }
    return PumpResult::Continue;
}

// Stone up to 97, dirt above, grass on top. Every cell depends on its height
// only, so the ground is laid one z-row at a time; the pump runs once per x.
PumpResult layGround(World& world, ProgressPump& pump) {
    for (int x = 0; x < kWorldSizeX; ++x) {
        if (PumpResult r = progressPump(pump); stopped(r)) return r;
        for (int y = 0; y <= kGroundTop; ++y) {
            Cell c = y < kDirtBottom ? Cell{kStone, 0} : Cell{kDirt, uint8_t(y == kGroundTop)};
            std::fill_n(zRow(world, x, y), kWorldSizeZ, c);
        }
    }
    return PumpResult::Continue;
}

// How far (x, z) lies outside the span [lo, lo + size - 1]: 0 inside.
inline int ringDistance(int v, int lo, int size) {
    if (v < lo) return lo - v;
    if (v > lo + size - 1) return v - (lo + size - 1);
    return 0;
}

// A stepped pyramid: an a x b core H high over the ground, each ring around it
// one lower, the outermost one cell above the ground. Every hill column holds
// stone with three dirt cells on top; the top one is grassy unless something
// (an earlier hill) already lies above it. Clipped at the world's edges.
void raiseHill(World& world, int x0, int z0, int a, int b, int h) {
    const int reach = h - 1;
    const int xLo = std::max(0, x0 - reach), xHi = std::min(kWorldSizeX - 1, x0 + a - 1 + reach);
    const int zLo = std::max(0, z0 - reach), zHi = std::min(kWorldSizeZ - 1, z0 + b - 1 + reach);
    for (int x = xLo; x <= xHi; ++x) {
        const int dx = ringDistance(x, x0, a);
        for (int z = zLo; z <= zHi; ++z) {
            const int j = std::max(dx, ringDistance(z, z0, b));
            const int top = h + kGroundTop - j;
            // d = h + 101 - y - j > 3 is stone: y below top - 2.
            for (int y = kDirtBottom; y < top - 2; ++y) cell(world, x, y, z).type = kStone;
            for (int y = std::max(kDirtBottom, top - 2); y < top; ++y)
                cell(world, x, y, z) = {kDirt, 0};
            const bool open = cell(world, x, top + 1, z).type == kAir;
            cell(world, x, top, z) = Cell{kDirt, uint8_t(open)};
        }
    }
}

PumpResult raiseHills(World& world, Run& run, ProgressPump& pump) {
    for (int i = 0; i < kHillCount; ++i) {
        if (PumpResult r = progressPump(pump); stopped(r)) return r;
        const int a = msvcRand(run.random) % 5 + 5;
        const int b = msvcRand(run.random) % 5 + 5;
        const int x0 = msvcRand(run.random) % (kWorldSizeX - a);
        const int z0 = msvcRand(run.random) % (kWorldSizeZ - b);
        const int h = msvcRand(run.random) % 5 + 10;
        raiseHill(world, x0, z0, a, b, h);
    }
    return PumpResult::Continue;
}

// Highest solid cell of column (x, z), or -1 when it is all air.
int columnTop(World& world, int x, int z) {
    for (int y = kWorldSizeY - 1; y >= 0; --y)
        if (cell(world, x, y, z).type != kAir) return y;
    return -1;
}

// A tree needs grassland or bare dirt, free air for its trunk and crown, a
// crown inside the world and below the sky, and must not grow over the spot
// where the player stands.
bool treeFits(World& world, int x0, int t, int z0, int playerX, int playerZ) {
    for (int y = t + 3; y <= t + 5; ++y)
        for (int x = x0 - 2; x <= x0 + 2; ++x)
            for (int z = z0 - 2; z <= z0 + 2; ++z) {
                if (y >= kWorldSizeY || !inWorld(x, 0, z)) return false;
                if (x == playerX && z == playerZ) return false;
                if (cell(world, x, y, z).type != kAir) return false;
            }
    return cell(world, x0, t + 1, z0).type == kAir && cell(world, x0, t + 2, z0).type == kAir;
}

void plantTree(World& world, int x0, int t, int z0) {
    cell(world, x0, t, z0).aux = 0;  // no grass under the trunk
    for (int y = t + 3; y <= t + 4; ++y)
        for (int x = x0 - 2; x <= x0 + 2; ++x)
            for (int z = z0 - 2; z <= z0 + 2; ++z)
                if (std::abs(x - x0) != 2 || std::abs(z - z0) != 2)
                    cell(world, x, y, z).type = kLeaves;
    for (int x = x0 - 1; x <= x0 + 1; ++x)
        for (int z = z0 - 1; z <= z0 + 1; ++z) cell(world, x, t + 5, z).type = kLeaves;
    for (int y = t + 1; y <= t + 4; ++y) cell(world, x0, y, z0).type = kRawWood;
}

PumpResult plantTrees(World& world, Run& run, ProgressPump& pump) {
    int standing = 0;
    while (standing < kTreeCount) {
        if (PumpResult r = progressPump(pump); stopped(r)) return r;
        ++run.report.treeAttempts;
        const int x = msvcRand(run.random) % kWorldSizeX;
        const int z = msvcRand(run.random) % kWorldSizeZ;
        const int t = columnTop(world, x, z);
        if (t < 0 || cell(world, x, t, z).type != kDirt) continue;
        if (!treeFits(world, x, t, z, kSpawnColumnX, kSpawnColumnZ)) continue;
        plantTree(world, x, t, z);
        ++standing;
    }
    return PumpResult::Continue;
}

struct Pocket {
    int x0, y0, z0, sx, sy, sz;
};

inline Pocket drawPocket(Run& run, int largestEdge) {
    Pocket p;
    p.x0 = msvcRand(run.random) % kWorldSizeX;
    p.y0 = msvcRand(run.random) % (kDirtBottom - 1);
    p.z0 = msvcRand(run.random) % kWorldSizeZ;
    p.sx = msvcRand(run.random) % largestEdge + 1;
    p.sy = msvcRand(run.random) % largestEdge + 1;
    p.sz = msvcRand(run.random) % largestEdge + 1;
    return p;
}

inline void fillPocket(World& world, const Pocket& p, uint8_t type) {
    const int xHi = std::min(kWorldSizeX, p.x0 + p.sx);
    const int zHi = std::min(kWorldSizeZ, p.z0 + p.sz);
    for (int x = p.x0; x < xHi; ++x)
        for (int y = p.y0; y < p.y0 + p.sy; ++y)
            std::fill(zRow(world, x, y) + p.z0, zRow(world, x, y) + zHi, Cell{type, 0});
}

// Small boxes of dirt, gravel and ores inside the ground (y 0..99). Pockets
// land all over the 400 MB grid, so the rows of a pocket a few places ahead
// are fetched while the current one is written; the writes keep their order.
void digPockets(World& world, Run& run) {
    constexpr int kAhead = 16;
    Pocket queue[kAhead];
    for (const PocketPass& pass : kPocketPasses) {
        const int n = pass.pockets;
        int drawn = 0;
        for (; drawn < std::min(n, kAhead); ++drawn)
            queue[drawn] = drawPocket(run, pass.largestEdge);
        for (int i = 0; i < n; ++i) {
            const Pocket p = queue[i % kAhead];
            if (drawn < n) {
                Pocket& next = queue[i % kAhead];
                next = drawPocket(run, pass.largestEdge);
                ++drawn;
                for (int x = next.x0; x < std::min(kWorldSizeX, next.x0 + next.sx); ++x)
                    for (int y = next.y0; y < next.y0 + next.sy; ++y)
                        plat::prefetchForWrite(zRow(world, x, y) + next.z0);
            }
            fillPocket(world, p, pass.type);
        }
    }
}

// The landscape on an all-air grid: ground, hills, trees, then the pockets.
WorldResult landscape(World& world, Run& run, ProgressPump& pump) {
    if (PumpResult r = layGround(world, pump); stopped(r)) return stoppedBy(r);
    if (PumpResult r = raiseHills(world, run, pump); stopped(r)) return stoppedBy(r);
    if (PumpResult r = plantTrees(world, run, pump); stopped(r)) return stoppedBy(r);
    digPockets(world, run);
    return WorldResult::Done;
}

}  // namespace

WorldResult generateWorldFromSeed(World& world, int32_t seed, ProgressPump& pump,
                                  GenerationReport* report) {
    world.Seed = seed;
    Run run;
    msvcSrand(run.random, uint32_t(seed));
    restartPump(pump);

    resetWorldValues(world);
    clearChestPositions(world);  // nothing generated is a chest
    noteWorldReplaced(world);
    if (!world.worldStorageReady) {
        // Fresh storage comes zeroed from the system: already all air.
        if (WorldResult r = allocateWorldStorage(world, pump); r != WorldResult::Done) return r;
    } else if (PumpResult r = clearCells(world, pump); stopped(r)) {
        return stoppedBy(r);
    }
    const WorldResult result = landscape(world, run, pump);
    if (report) *report = run.report;
    return result;
}
