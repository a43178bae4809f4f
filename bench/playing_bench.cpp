// The whole Playing update, collision included, in a generated world at the
// farthest rendering distance: one iteration is one frame of 16 ms.
#include <benchmark/benchmark.h>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/playing.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/generation.h"
#include "world/settings.h"
#include "world/world.h"

namespace {
int32_t frameClockMs = 0;

// A generated world with the player standing at its centre, once per run.
void startPlaying() {
    static bool generated = false;
    headless::reset();
    if (!generated) generateWorldFromSeed(game.world, 1234567890);
    generated = true;
    game.settings.RenderDistance = 4;
    startPlayingWorld(game.world, game.play);
    game.gameState = GameState::Playing;
    frameClockMs = 1000;
    headless::setClock(frameClockMs);
    frameUpdate();
}

void frame(int32_t mouseDx) {
    frameClockMs += 16;
    headless::setClock(frameClockMs);
    headless::setMouse(mouseDx, 0, false, false);
    frameUpdate();
}

}  // namespace

// Walking diagonally, jumping whenever it can and turning: the player circles
// over the terrain, landing, bumping into trees and slopes.
static void BM_PlayingUpdateWalkingAndJumping(benchmark::State& state) {
    startPlaying();
    headless::pressKey(key::W);
    headless::pressKey(key::A);
    headless::pressKey(key::Space);
    for (auto _ : state) {
        frame(7);
        benchmark::DoNotOptimize(game.play.player.Position);
    }
    headless::releaseAllKeys();
}
BENCHMARK(BM_PlayingUpdateWalkingAndJumping)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Walking at an angle into a corner: both axes run the whole back-off search
// every frame.
static void BM_PlayingUpdateBlockedInACorner(benchmark::State& state) {
    startPlaying();
    const int x = kSpawnColumnX, z = kSpawnColumnZ;
    // Above the column's top block, as high as the body.
    const int feet = int(spawnEyeHeight(game.world, x, z)) - 4;
    for (int y = feet; y < feet + 4; ++y)
        for (int d = -2; d <= 2; ++d) {
            setCell(game.world, x + d, y, z + 1, Cell{block::Stone, 0});
            setCell(game.world, x + 1, y, z + d, Cell{block::Stone, 0});
        }
    game.play.player.xzRotCamera = 0.7f;  // towards +x and +z
    headless::pressKey(key::W);
    for (auto _ : state) {
        frame(0);
        benchmark::DoNotOptimize(game.play.player.Position);
    }
    headless::releaseAllKeys();
    for (int y = feet; y < feet + 4; ++y)
        for (int d = -2; d <= 2; ++d) {
            setCell(game.world, x + d, y, z + 1, Cell{0, 0});
            setCell(game.world, x + 1, y, z + d, Cell{0, 0});
        }
}
BENCHMARK(BM_PlayingUpdateBlockedInACorner)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
