// Slot files: a save (encode, write, flush to disk) against writing the same
// number of plain bytes to the same folder, a load from a warm page cache, and
// the peak memory of a whole generate + save + load.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include "app/game_state.h"

#include "platform/headless/headless.h"
#include "world/generation.h"
#include "world/save_files.h"
#include "world/world.h"

namespace {

// Nothing is drawn while benchmarking.

const std::string& benchFolder() {
    static const std::string folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("velmora-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] { std::filesystem::remove_all(benchFolder()); });
        return path.string() + "/";
    }();
    return folder;
}

void ensureWorld() {
    if (game.world.Seed == 1234567890 && game.world.cells) return;
    headless::reset();
    generateWorldFromSeed(game.world, 1234567890);
}

// Peak resident memory of the process so far, in MB.
double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

}  // namespace

// Runs first (registered first): nothing else has touched memory yet.
static void BM_PeakMemoryGenerateSaveLoad(benchmark::State& state) {
    for (auto _ : state) {
        ensureWorld();
        saveWorldTo(game.world, benchFolder() + "Mondo1.data", benchFolder() + "SemeM1.data");
        loadWorldFrom(game.world, benchFolder() + "Mondo1.data", benchFolder() + "SemeM1.data");
    }
    state.counters["VmHWM_MB"] = peakResidentMb();
}
BENCHMARK(BM_PeakMemoryGenerateSaveLoad)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_SaveWorld(benchmark::State& state) {
    ensureWorld();
    for (auto _ : state)
        saveWorldTo(game.world, benchFolder() + "Mondo1.data", benchFolder() + "SemeM1.data");
}
BENCHMARK(BM_SaveWorld)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The floor a save is measured against: the same bytes, unencoded, written in
// the same blocks over an earlier file of the same size in the same folder
// (as a save replaces the slot's earlier world) and flushed.
static void BM_WritePlainBytes(benchmark::State& state) {
    ensureWorld();
    const std::string path = benchFolder() + "plain.data";
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(game.world.cells.get());
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (size_t at = 0; at < kCellImageBytes; at += 4'000'000)
            if (::write(fd, bytes + at, 4'000'000) < 0) state.SkipWithError("write failed");
        if (::write(fd, bytes, 84) < 0) state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_WritePlainBytes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_LoadWorldWarm(benchmark::State& state) {
    ensureWorld();
    const std::string worldPath = benchFolder() + "Mondo1.data";
    const std::string seedPath = benchFolder() + "SemeM1.data";
    if (!std::filesystem::exists(worldPath)) saveWorldTo(game.world, worldPath, seedPath);
    loadWorldFrom(game.world, worldPath, seedPath);  // warms the page cache
    for (auto _ : state) loadWorldFrom(game.world, worldPath, seedPath);
}
BENCHMARK(BM_LoadWorldWarm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
