// Terrain generation: one seed gives one grid however its job is sliced, and the
// layout (hills, trees, pockets, spawn) follows from the seed's random draws,
// rebuilt here from the draws alone.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "test_support.h"
#include "world/generation.h"
#include "world/msvc_random.h"
#include "world_fixtures.h"

namespace {

constexpr int32_t kSeed = 1234567890;
// The grid this seed gives; changes only if generation itself changes.
constexpr uint64_t kSeedHash = 0x5c593cef5e30b4abull;

struct Hill {
    int a, b, x0, z0, h;
    int xLo() const { return x0 - (h - 1); }
    int xHi() const { return x0 + a - 1 + (h - 1); }
    int zLo() const { return z0 - (h - 1); }
    int zHi() const { return z0 + b - 1 + (h - 1); }
    bool covers(int x, int z) const { return x >= xLo() && x <= xHi() && z >= zLo() && z <= zHi(); }
    // Height of this hill's column at (x, z): the core is 100 + h, each ring one lower.
    int top(int x, int z) const {
        int dx = x < x0 ? x0 - x : (x >= x0 + a ? x - (x0 + a - 1) : 0);
        int dz = z < z0 ? z0 - z : (z >= z0 + b ? z - (z0 + b - 1) : 0);
        return h + 100 - std::max(dx, dz);
    }
};

struct Pocket {
    uint8_t type;
    int x0, y0, z0, sx, sy, sz;
    bool holds(int x, int y, int z) const {
        return x >= x0 && x < x0 + sx && y >= y0 && y < y0 + sy && z >= z0 && z < z0 + sz;
    }
};

// The seed's draws, in the order the landscape consumes them.
struct Replay {
    std::vector<Hill> hills;
    std::vector<std::pair<int, int>> treeSpots;  // every attempt's (x, z)
    std::vector<Pocket> pockets;

    Replay(int32_t seed, int treeAttempts) {
        MsvcRandom r;
        msvcSrand(r, uint32_t(seed));
        for (int i = 0; i < 2250; ++i) {
            Hill hill;
            hill.a = msvcRand(r) % 5 + 5;
            hill.b = msvcRand(r) % 5 + 5;
            hill.x0 = msvcRand(r) % (1000 - hill.a);
            hill.z0 = msvcRand(r) % (1000 - hill.b);
            hill.h = msvcRand(r) % 5 + 10;
            hills.push_back(hill);
        }
        for (int i = 0; i < treeAttempts; ++i) {
            int x = msvcRand(r) % 1000;
            treeSpots.emplace_back(x, msvcRand(r) % 1000);
        }
        for (const PocketPass& pass : kPocketPasses)
            for (int i = 0; i < pass.pockets; ++i) {
                Pocket p{pass.type, 0, 0, 0, 0, 0, 0};
                p.x0 = msvcRand(r) % 1000;
                p.y0 = msvcRand(r) % 97;
                p.z0 = msvcRand(r) % 1000;
                p.sx = msvcRand(r) % pass.largestEdge + 1;
                p.sy = msvcRand(r) % pass.largestEdge + 1;
                p.sz = msvcRand(r) % pass.largestEdge + 1;
                pockets.push_back(p);
            }
    }

    // The ground's top before any tree: the flat ground or the highest hill.
    int groundTop(int x, int z) const {
        int top = 100;
        for (const Hill& hill : hills)
            if (hill.covers(x, z)) top = std::max(top, hill.top(x, z));
        return top;
    }
};

class Generation : public GameTest {
   protected:
    // One world for the whole suite, made once: each test has it lent.
    static void SetUpTestSuite() {
        headless::reset();
        made = new World;
        GenerationReport report;
        ASSERT_EQ(generateWorldFromSeed(*made, kSeed, &report), WorldResult::Done);
        firstHash = gridHash(*made);
        replay = new Replay(kSeed, report.treeAttempts);
    }
    static void TearDownTestSuite() {
        delete replay;
        delete made;
    }
    void SetUp() override {
        GameTest::SetUp();
        std::swap(world, *made);
    }
    void TearDown() override {
        std::swap(world, *made);
        GameTest::TearDown();
    }
    static World* made;
    static uint64_t firstHash;
    static Replay* replay;
};
World* Generation::made = nullptr;
uint64_t Generation::firstHash = 0;
Replay* Generation::replay = nullptr;

TEST_F(Generation, SameSeedSameGridHoweverTheJobIsSliced) {
    EXPECT_EQ(firstHash, kSeedHash);
    // Now in slices of a fast clock: many more slices, the same grid.
    headless::setClockStepPerRead(7);
    world.DayTime = 3;
    world.chestCount = 4;
    world.slots[5] = ItemStack{7, 9};
    auto job = std::make_unique<GenerationJob>();
    beginGeneration(world, *job, kSeed);
    int slices = 0;
    for (bool ended = false; !ended; ++slices) {
        JobSlice slice = sliceUntil(plat::clockMs, plat::clockMs() + 30);
        ended = stepGeneration(world, *job, slice);
    }
    ASSERT_EQ(job->result, WorldResult::Done);
    EXPECT_GT(slices, 100);
    EXPECT_EQ(gridHash(world), firstHash);
    // The clock is read at a bounded cadence, never once per cell.
    EXPECT_LT(headless::clockReads(), 200000);
    // A fresh game's values.
    EXPECT_EQ(world.Seed, kSeed);
    EXPECT_EQ(world.DayTime, 180);
    EXPECT_EQ(world.chestCount, 0);
    EXPECT_EQ(world.slots[0].type, 62);
    EXPECT_EQ(world.slots[0].count, 1);
    EXPECT_EQ(world.slots[5].type, 0);
}

TEST_F(Generation, SpawnOnTopOfTheCentreColumn) {
    // Trees never grow over the centre and pockets stay below the ground's top,
    // so the spawn column is the flat ground or the hills over it.
    float expected = float(replay->groundTop(500, 500) + 5);
    EXPECT_EQ(spawnEyeHeight(world, 500, 500), expected);
}

TEST_F(Generation, HillsAreClippedAtTheEdgeNeverWrapped) {
    // Some hills reach past every edge of the world.
    auto reaches = [&](auto past) {
        return std::any_of(replay->hills.begin(), replay->hills.end(), past);
    };
    ASSERT_TRUE(reaches([](const Hill& h) { return h.xLo() < 0; }));
    ASSERT_TRUE(reaches([](const Hill& h) { return h.zHi() > 999; }));
    // Along all four edges each column's ground (stone and dirt; trees aside)
    // tops out exactly where the hills over it say: a wrapped ring would show
    // up on the far side, a shifted one at the near side.
    auto groundTopInGrid = [&](int x, int z) {
        for (int y = 199; y >= 0; --y)
            if (cell(world, x, y, z).type == 2 || cell(world, x, y, z).type == 7) return y;
        return -1;
    };
    for (int i = 0; i < 1000; ++i) {
        for (auto [x, z] : {std::pair{0, i}, {999, i}, {i, 0}, {i, 999}}) {
            int top = replay->groundTop(x, z);
            ASSERT_EQ(groundTopInGrid(x, z), top) << x << "," << z;
            EXPECT_EQ(cell(world, x, top, z).type, 2) << x << "," << z;
        }
    }
}

TEST_F(Generation, FirstTreeStandsWhereTheFirstFittingAttemptFell) {
    auto fits = [&](int x0, int z0) {
        int t = replay->groundTop(x0, z0);
        for (int x = x0 - 2; x <= x0 + 2; ++x)
            for (int z = z0 - 2; z <= z0 + 2; ++z) {
                if (x < 0 || x > 999 || z < 0 || z > 999 || (x == 500 && z == 500)) return false;
                if (replay->groundTop(x, z) >= t + 3) return false;
            }
        return true;
    };
    size_t first = 0;
    while (first < replay->treeSpots.size() &&
           !fits(replay->treeSpots[first].first, replay->treeSpots[first].second))
        ++first;
    ASSERT_LT(first, replay->treeSpots.size());
    auto [x0, z0] = replay->treeSpots[first];
    int t = replay->groundTop(x0, z0);
    EXPECT_EQ(cell(world, x0, t, z0).type, 2);
    EXPECT_EQ(cell(world, x0, t, z0).aux, 0);  // the trunk took the grass
    for (int y = t + 1; y <= t + 4; ++y) EXPECT_EQ(cell(world, x0, y, z0).type, 5) << y;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dz = -2; dz <= 2; ++dz) {
            bool corner = std::abs(dx) == 2 && std::abs(dz) == 2;
            bool trunk = dx == 0 && dz == 0;
            if (!corner && !trunk) {
                EXPECT_EQ(cell(world, x0 + dx, t + 3, z0 + dz).type, 4);
                EXPECT_EQ(cell(world, x0 + dx, t + 4, z0 + dz).type, 4);
            }
            bool inner = std::abs(dx) <= 1 && std::abs(dz) <= 1;
            if (inner) {
                EXPECT_EQ(cell(world, x0 + dx, t + 5, z0 + dz).type, 4);
            }
        }
}

TEST_F(Generation, LaterPocketsOverwriteEarlierOnes) {
    const auto& pockets = replay->pockets;
    int checkedOverwritten = 0;
    for (size_t i = 0; i < 2000 && checkedOverwritten < 3; ++i) {
        const Pocket& p = pockets[i];
        for (int x = p.x0; x < std::min(1000, p.x0 + p.sx); ++x)
            for (int y = p.y0; y < p.y0 + p.sy; ++y)
                for (int z = p.z0; z < std::min(1000, p.z0 + p.sz); ++z) {
                    uint8_t expected = p.type;
                    for (size_t j = i + 1; j < pockets.size(); ++j)
                        if (pockets[j].holds(x, y, z)) expected = pockets[j].type;
                    ASSERT_EQ(cell(world, x, y, z).type, expected) << i;
                    EXPECT_EQ(cell(world, x, y, z).aux, 0);
                    if (expected != p.type) ++checkedOverwritten;
                }
    }
    EXPECT_GE(checkedOverwritten, 3);
}

}  // namespace
