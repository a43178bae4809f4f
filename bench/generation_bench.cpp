// Full world generation, every phase as one job run to its end, on storage that
// is already made (the game's second and later worlds) and on fresh storage.
#include <benchmark/benchmark.h>

#include "app/game_state.h"
#include "platform/headless/headless.h"
#include "world/generation.h"
#include "world/world.h"

static void BM_GenerateWorld(benchmark::State& state) {
    headless::reset();
    for (auto _ : state) {
        generateWorldFromSeed(game.world, 1234567890);
        benchmark::DoNotOptimize(game.world.cells.get());
    }
}
BENCHMARK(BM_GenerateWorld)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
