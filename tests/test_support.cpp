#include "test_support.h"

#include <atomic>
#include <unistd.h>

#include "app/game_state.h"
#include "game/digging.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "render/camera.h"
#include "render/picking.h"
#include "render/polygons.h"
#include "render/world_view.h"
#include "ui/notice.h"
#include "world/cell_changes.h"
#include "world/progress_pump.h"
#include "world/settings.h"
#include "world/world.h"

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path = std::filesystem::temp_directory_path() /
           ("velmora-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void resetGameGlobals() {
    shell = Shell{};
    play = PlayState{};
    player = Player{};
    settings = Settings{};
    resetCamera();
    pumpHooks = PumpHooks{};
    world.Seed = 0;
    notice = Notice{};
    resetWorldValues();
    resetTarget();
    resetDig();
    resetTimeOfDay();
    resetPickingState();
    resetPolygons();
    resetWorldView();
    resetCellChanges();
}

void GameTest::SetUp() {
    headless::reset();
    headless::setExeFolder(scratch.path.string());
    resetGameGlobals();
}

void GameTest::TearDown() { headless::reset(); }
