// The game's long world work as a player meets it, in the real window and
// through the game's own frame loop: a new world made in slot 1, saved from
// the pause menu, then loaded again. For each, the time it took from the
// key to the end of the first frame after it, the frames drawn meanwhile,
// the longest of them and their 99th percentile, and that first frame after. Run it from
// a folder of its own (it writes slot 1 beside itself) under a virtual X
// server with software GL and VELMORA_NO_VSYNC=1; measure_work.py does.
// With --each, every frame is printed with the step of the work it began in.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "app/world_ops.h"

namespace {

using Clock = std::chrono::steady_clock;

bool each = false;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Where the work stands, as the phase of its job.
std::string workStep() {
    const WorldWork& work = game.work;
    if (work.generation) return "generation " + std::to_string(int(work.generation->phase));
    if (work.load) return "load " + std::to_string(int(work.load->phase));
    if (work.save) return "save " + std::to_string(int(work.save->phase));
    if (work.readyingView) return "view";
    return work.persisting ? "persisting" : "-";
}

// Frames until the work ends; false when the game ended instead.
bool measure(const char* what) {
    std::vector<double> frames;
    const auto start = Clock::now();
    while (game.gameState == GameState::Busy) {
        const auto before = Clock::now();
        const std::string step = each ? workStep() : "";
        if (!gameFrame()) return false;
        frames.push_back(ms(Clock::now() - before));
        if (each) std::printf("  %s frame %zu: %.1f ms, %s\n", what, frames.size(), frames.back(), step.c_str());
    }
    const auto before = Clock::now();
    if (!gameFrame()) return false;
    const double after = ms(Clock::now() - before);
    const double total = ms(Clock::now() - start);
    std::vector<double> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    const double longest = sorted.empty() ? 0.0 : sorted.back();
    const double p99 = sorted.empty() ? 0.0 : sorted[sorted.size() * 99 / 100];
    std::printf("%-9s total %8.1f ms  frames %5zu  longest %6.1f ms  p99 %6.1f ms  next %6.1f ms\n",
                what, total, frames.size(), longest, p99, after);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    each = argc > 1 && std::string(argv[1]) == "--each";
    if (startGame() < 0) return 1;
    // The busy screen's first frames make its textures and font: not work.
    game.gameState = GameState::Busy;
    for (int i = 0; i < 3; ++i)
        if (!gameFrame()) return 1;
    game.gameState = GameState::WorldSelect;
    game.worldSlotChoice = 1;
    openSlot(1);
    bool ok = measure("generate");
    if (ok) {
        game.gameState = GameState::Pause;
        saveSlot(1);
        ok = measure("save");
    }
    if (ok) {
        closeSlot();
        game.gameState = GameState::WorldSelect;
        openSlot(1);
        ok = measure("load");
    }
    closeSlot();
    const int finished = finishGame();
    return ok && finished == 0 ? 0 : 1;
}
