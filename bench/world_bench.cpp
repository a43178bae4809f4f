// Grid storage: allocating the 400 MB grid and clearing it.
#include <benchmark/benchmark.h>

#include "app/game_state.h"
#include "platform/headless/headless.h"
#include "world/world.h"

static void BM_AllocateAndClear(benchmark::State& state) {
    for (auto _ : state) {
        headless::reset();
        game.world.cells.reset();
        game.world.worldStorageReady = false;
        allocateWorldStorage(game.world);
        clearWorld(game.world);
        benchmark::DoNotOptimize(game.world.cells.get());
    }
}
BENCHMARK(BM_AllocateAndClear)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_ClearAllocated(benchmark::State& state) {
    headless::reset();
    allocateWorldStorage(game.world);
    for (auto _ : state) {
        clearWorld(game.world);
        benchmark::DoNotOptimize(game.world.cells.get());
    }
}
BENCHMARK(BM_ClearAllocated)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)
    ->ReportAggregatesOnly(true);
