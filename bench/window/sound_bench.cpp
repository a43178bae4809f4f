// The game thread's cost of sound per frame, through the real mixer: the
// frame's events heard and handed to SDL_mixer while 16 effects play (the
// audio thread mixes them meanwhile, as in the game). Without a device it
// uses SDL's disk driver writing to /dev/null, which runs at the pace of a
// real device.
//
//   velmora_sound_bench [--benchmark_...]
#include <SDL2/SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "app/game_state.h"
#include "app/sounds.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_private.h"

namespace {

bool openMixer() {
    static bool opened = [] {
        if (!std::getenv("SDL_AUDIODRIVER")) {
            setenv("SDL_AUDIODRIVER", "disk", 1);
            setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        }
        return sdlplat::openAudio();
    }();
    return opened;
}

// Sixteen different sounds (each kind may play only three times at once).
void fillChannels() {
    for (int i = 0; i < 16; ++i) plat::playSound({Sound(i), uint8_t(i % 4), 0.5f, 1.0f});
}

void frameWith(benchmark::State& state, bool newEffect) {
    if (!openMixer()) {
        state.SkipWithError("no audio device, not even SDL's disk driver");
        return;
    }
    game = Game{};
    game.gameState = GameState::Playing;
    int32_t now = 1000;
    for (auto _ : state) {
        // 16 effects kept going: refilled out of the timing every 64 frames,
        // far more often than the shortest of them ends.
        if ((now / 16) % 64 == 0) {
            state.PauseTiming();
            fillChannels();
            state.ResumeTiming();
        }
        now += 16;
        game.frame.now = now;
        game.frame.elapsed = 16;
        game.events = Events{};
        if (newEffect) game.events.add({EventKind::Step, 7, {500, 100, 500}});
        playFrameSounds();
    }
    // Effect channels sounding at the end (the two ambience loops left out).
    state.counters["playing"] = double(Mix_Playing(-1) - 2);
}

void BM_SoundFrameSixteenPlaying(benchmark::State& state) {
    frameWith(state, false);
}
BENCHMARK(BM_SoundFrameSixteenPlaying);

// A frame that starts an effect on a full mixer: one fade and one start.
void BM_SoundFrameSixteenPlayingPlusOne(benchmark::State& state) {
    frameWith(state, true);
}
BENCHMARK(BM_SoundFrameSixteenPlayingPlusOne);

}  // namespace
