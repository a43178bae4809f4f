// The CPU side of drawing the world (no driver): a renderer frame at the spawn
// of seed 1234567890 (camera, light, visible set, sorting and submission to
// the recording device), the literal reference drawer's frame for scale, the
// glass sort of 20,000 blocks, and building one section.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/playing.h"
#include "platform/headless/headless.h"
#include "render/glass_order.h"
#include "render/polygons.h"
#include "render/reference/reference_drawer.h"
#include "render/sections.h"
#include "render/world_view.h"
#include "world/generation.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

Vec3 spawn;

void ensureWorld() {
    if (game.world.Seed == 1234567890 && game.world.cells) return;
    headless::reset();
    generateWorldFromSeed(game.world, 1234567890);
    startPlayingWorld(game.world, game.play);
    spawn = game.play.player.Position;
    plat::createWindowAndDevices("bench", 800, 600);
}

void frame(bool reference) {
    if (reference) {
        reference::prepareFrame();
        reference::drawFrame();
    } else {
        lookAround(game.renderer, game.world, game.options, game.settings, game.play);
        drawWorldView(game.renderer, game.world, game.play);
    }
    plat::present();
    resetPolygons(game.renderer);
}

void atSpawn(benchmark::State& state, bool reference) {
    ensureWorld();
    game.settings.RenderDistance = uint8_t(state.range(0));
    game.play.player.Position = spawn;
    game.play.player.yRotCamera = 0.0f;
    int heading = 0;
    for (int i = 0; i < 40; ++i) frame(reference);  // everything built
    for (auto _ : state) {
        game.play.player.xzRotCamera = float(heading++ % 8) * 0.7853982f;
        frame(reference);
    }
}

}  // namespace

static void BM_RendererFrameCpu(benchmark::State& state) {
    atSpawn(state, false);
}
BENCHMARK(BM_RendererFrameCpu)
    ->Arg(0)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_ReferenceFrameCpu(benchmark::State& state) {
    atSpawn(state, true);
}
BENCHMARK(BM_ReferenceFrameCpu)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// 20,000 glass blocks in view: keys from their distances, then the sort.
static void BM_GlassSort20000(benchmark::State& state) {
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> offset(-60, 60);
    std::vector<Vec3> blocks;
    for (int i = 0; i < 20000; ++i)
        blocks.push_back(
            Vec3{float(500 + offset(rng)), float(100 + offset(rng) / 2), float(500 + offset(rng))});
    const Vec3 eye{500.3f, 101.6f, 499.8f};
    std::vector<GlassEntry> entries;
    for (auto _ : state) {
        entries.clear();
        for (uint32_t i = 0; i < blocks.size(); ++i)
            entries.push_back(
                {glassKey(glassDistance(eye, int(blocks[i].x), int(blocks[i].y), int(blocks[i].z)),
                          i),
                 i});
        sortGlassForDrawing(entries);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_GlassSort20000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One section of the spawn's surface, built from scratch; with the argument
// 160, for a far view (its spans too).
static void BM_BuildSurfaceSection(benchmark::State& state) {
    ensureWorld();
    const LightBox box = lightBoxAt(spawn, int(state.range(0)));
    Section s;
    s.sx = int(spawn.x) / kSectionSize, s.sy = 96 / kSectionSize,
    s.sz = int(spawn.z) / kSectionSize;
    for (auto _ : state) {
        buildSection(game.renderer, game.world, s, box);
        benchmark::DoNotOptimize(s.faces);
        state.PauseTiming();
        plat::present();  // lets the device release the meshes replaced
        state.ResumeTiming();
    }
    state.counters["faces"] = double(s.faces);
    if (s.mesh) plat::destroyMesh(s.mesh);
}
BENCHMARK(BM_BuildSurfaceSection)
    ->Arg(60)
    ->Arg(160)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
