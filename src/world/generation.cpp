#include "world/generation.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/memory.h"
#include "platform/platform.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/msvc_random.h"
#include "world/world.h"

namespace {

constexpr uint8_t kAir = 0;
constexpr uint8_t kDirt = 2;
constexpr uint8_t kLeaves = 4;
constexpr uint8_t kRawWood = 5;
constexpr uint8_t kStone = 7;

Cell* zRow(World& world, int x, int y) {
    return world.cells.get() + cellIndex(x, y, 0);
}

// Every cell of slab x back to air.
void clearSlab(World& world, int x) {
    std::fill_n(zRow(world, x, 0), size_t(kWorldSizeY) * kWorldSizeZ, Cell{kAir, 0});
}

// Stone up to 97, dirt above, grass on top. Every cell depends on its height
// only, so the ground is laid one z-row at a time.
void layGroundSlab(World& world, int x) {
    for (int y = 0; y <= kGroundTop; ++y) {
        Cell c = y < kDirtBottom ? Cell{kStone, 0} : Cell{kDirt, uint8_t(y == kGroundTop)};
        std::fill_n(zRow(world, x, y), kWorldSizeZ, c);
    }
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
            for (int y = std::max(kDirtBottom, top - 2); y < top; ++y) cell(world, x, y, z) = {kDirt, 0};
            const bool open = cell(world, x, top + 1, z).type == kAir;
            cell(world, x, top, z) = Cell{kDirt, uint8_t(open)};
        }
    }
}

void raiseRandomHill(World& world, MsvcRandom& random) {
    const int a = msvcRand(random) % 5 + 5;
    const int b = msvcRand(random) % 5 + 5;
    const int x0 = msvcRand(random) % (kWorldSizeX - a);
    const int z0 = msvcRand(random) % (kWorldSizeZ - b);
    const int h = msvcRand(random) % 5 + 10;
    raiseHill(world, x0, z0, a, b, h);
}

// Highest solid cell of column (x, z), or -1 when it is all air.
int columnTop(const World& world, int x, int z) {
    for (int y = kWorldSizeY - 1; y >= 0; --y)
        if (cell(world, x, y, z).type != kAir) return y;
    return -1;
}

// A tree needs grassland or bare dirt, free air for its trunk and crown, a
// crown inside the world and below the sky, and must not grow over the spot
// where the player stands.
bool treeFits(const World& world, int x0, int t, int z0, int playerX, int playerZ) {
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
                if (std::abs(x - x0) != 2 || std::abs(z - z0) != 2) cell(world, x, y, z).type = kLeaves;
    for (int x = x0 - 1; x <= x0 + 1; ++x)
        for (int z = z0 - 1; z <= z0 + 1; ++z) cell(world, x, t + 5, z).type = kLeaves;
    for (int y = t + 1; y <= t + 4; ++y) cell(world, x0, y, z0).type = kRawWood;
}

// One attempt at a tree on a random column: true when one stands there now.
bool tryTree(World& world, GenerationJob& job) {
    ++job.report.treeAttempts;
    const int x = msvcRand(job.random) % kWorldSizeX;
    const int z = msvcRand(job.random) % kWorldSizeZ;
    const int t = columnTop(world, x, z);
    if (t < 0 || cell(world, x, t, z).type != kDirt) return false;
    if (!treeFits(world, x, t, z, kSpawnColumnX, kSpawnColumnZ)) return false;
    plantTree(world, x, t, z);
    return true;
}

inline Pocket drawPocket(MsvcRandom& random, int largestEdge) {
    Pocket p;
    p.x0 = msvcRand(random) % kWorldSizeX;
    p.y0 = msvcRand(random) % (kDirtBottom - 1);
    p.z0 = msvcRand(random) % kWorldSizeZ;
    p.sx = msvcRand(random) % largestEdge + 1;
    p.sy = msvcRand(random) % largestEdge + 1;
    p.sz = msvcRand(random) % largestEdge + 1;
    return p;
}

inline void fillPocket(World& world, const Pocket& p, uint8_t type) {
    const int xHi = std::min(kWorldSizeX, p.x0 + p.sx);
    const int zHi = std::min(kWorldSizeZ, p.z0 + p.sz);
    for (int x = p.x0; x < xHi; ++x)
        for (int y = p.y0; y < p.y0 + p.sy; ++y)
            std::fill(zRow(world, x, y) + p.z0, zRow(world, x, y) + zHi, Cell{type, 0});
}

// Small boxes of dirt, gravel and ores inside the ground (y 0..99), pocket
// `job.index` of pass `job.pass`. Pockets land all over the 400 MB grid, so
// the rows of a pocket a few places ahead are fetched while the current one
// is written; the writes keep their order.
void digPocket(World& world, GenerationJob& job) {
    constexpr int kAhead = GenerationJob::kAhead;
    const PocketPass& pass = kPocketPasses[job.pass];
    const int n = pass.pockets;
    const int i = job.index;
    if (i == 0)
        for (job.drawn = 0; job.drawn < std::min(n, kAhead); ++job.drawn)
            job.ahead[job.drawn] = drawPocket(job.random, pass.largestEdge);
    const Pocket p = job.ahead[i % kAhead];
    if (job.drawn < n) {
        Pocket& next = job.ahead[i % kAhead];
        next = drawPocket(job.random, pass.largestEdge);
        ++job.drawn;
        for (int x = next.x0; x < std::min(kWorldSizeX, next.x0 + next.sx); ++x)
            for (int y = next.y0; y < next.y0 + next.sy; ++y)
                plat::prefetchForWrite(zRow(world, x, y) + next.z0);
    }
    fillPocket(world, p, pass.type);
}

// Pockets are small: the slice is looked at once per batch of them.
constexpr int kPocketBatch = 256;

void enter(GenerationJob& job, GenerationJob::Phase phase) {
    job.phase = phase;
    job.index = 0;
}

}  // namespace

void beginGeneration(World& world, GenerationJob& job, int32_t seed) {
    job = GenerationJob{};
    world.Seed = seed;
    msvcSrand(job.random, uint32_t(seed));
    resetWorldValues(world);
    clearChestPositions(world);  // nothing generated is a chest
    noteWorldReplaced(world);
}

bool stepGeneration(World& world, GenerationJob& job, JobSlice& slice) {
    using Phase = GenerationJob::Phase;
    for (;;) {
        switch (job.phase) {
            case Phase::Allocate:
                if (world.worldStorageReady) {
                    enter(job, Phase::Clear);
                    continue;
                }
                if (allocateWorldStorage(world) != WorldResult::Done) {
                    job.result = WorldResult::NoMemory;
                    enter(job, Phase::Ended);
                    return true;
                }
                // Fresh storage comes zeroed from the system: already all air.
                enter(job, Phase::Ground);
                break;
            case Phase::Clear:
                clearSlab(world, job.index);
                if (++job.index == kWorldSizeX) enter(job, Phase::Ground);
                break;
            case Phase::Ground:
                layGroundSlab(world, job.index);
                if (++job.index == kWorldSizeX) enter(job, Phase::Hills);
                break;
            case Phase::Hills:
                raiseRandomHill(world, job.random);
                if (++job.index == kHillCount) enter(job, Phase::Trees);
                break;
            case Phase::Trees:
                if (tryTree(world, job) && ++job.index == kTreeCount) enter(job, Phase::Pockets);
                break;
            case Phase::Pockets: {
                const int n = kPocketPasses[job.pass].pockets;
                const int batchEnd = std::min(n, job.index + kPocketBatch);
                while (job.index < batchEnd) {
                    digPocket(world, job);
                    ++job.index;
                }
                if (job.index == n) {
                    enter(job, ++job.pass == kPocketPassCount ? Phase::Ended : Phase::Pockets);
                    if (job.phase == Phase::Ended) return true;
                }
                break;
            }
            case Phase::Ended:
                return true;
        }
        if (sliceSpent(slice)) return false;
    }
}

WorldResult generateWorldFromSeed(World& world, int32_t seed, GenerationReport* report) {
    auto job = std::make_unique<GenerationJob>();
    beginGeneration(world, *job, seed);
    JobSlice whole;
    stepGeneration(world, *job, whole);
    if (report) *report = job->report;
    return job->result;
}
