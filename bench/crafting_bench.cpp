// The crafting panel's share of a frame: finding the stations around the
// player, building the candidate list and drawing the panel. The budget is
// 0.1 ms a frame.
#include <benchmark/benchmark.h>

#include "app/game_state.h"
#include "game/play.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "ui/crafting_panel.h"
#include "world/world.h"

namespace {

Play play;

// All three stations in reach, and an inventory that makes many recipes.
void buildScene() {
    allocateWorldStorage(game.world);
    headless::reset();
    plat::createWindowAndDevices("bench", 800, 600);
    play.player.Position = Vec3{500.5f, 120.2f, 500.5f};
    cell(game.world, 503, 117, 497) = Cell{27, 0};  // at the far corners of the cube
    cell(game.world, 497, 123, 503) = Cell{26, 0};
    cell(game.world, 500, 120, 503) = Cell{41, 0};
    const uint8_t types[] = {5,  23, 38, 39, 1,  10, 11, 12, 13, 14, 15, 16, 25, 29,
                             31, 32, 33, 40, 63, 64, 65, 66, 72, 6,  37, 54, 28, 30};
    int c = 0;
    for (uint8_t t : types) game.world.slots[c++] = ItemStack{t, 40};
    play.crafting.open = 1;
    play.crafting.selected = 20;
}

}  // namespace

static void BM_CraftingPanelFrame(benchmark::State& state) {
    buildScene();
    for (auto _ : state) {
        plat::beginScene();
        buildCandidates(game.world, play.crafting, play.player.Position);
        drawCraftingPanel(game.settings, play.crafting);
        plat::endScene();
        plat::present();
        benchmark::DoNotOptimize(play.crafting.candidateCount);
    }
    state.counters["candidates"] = play.crafting.candidateCount;
}
BENCHMARK(BM_CraftingPanelFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
