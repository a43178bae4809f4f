#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "app/game_state.h"
#include "app/world_ops.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/digging.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "render/camera.h"
#include "render/picking.h"
#include "render/polygons.h"
#include "render/world_view.h"
#include "ui/notice.h"
#include "ui/screens.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/generation.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

std::string readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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
    // world
    resetWorld();
    clearChestPositions();
    resetGeneration();
    resetCellChanges();
    resetSettings();
    resetOptions();
    // game
    resetFrameClock();
    resetInput();
    resetPlayer();
    resetTarget();
    resetDig();
    resetTimeOfDay();
    resetControls();
    resetCrafting();
    resetItemScreen();
    resetInventoryReadout();
    // render
    resetCamera();
    resetPickingState();
    resetPolygons();
    resetWorldView();
    // ui
    resetNotice();
    resetScreens();
    // app
    resetShell();
    resetWorldOps();
}

void GameTest::SetUp() {
    headless::reset();
    headless::setExeFolder(scratch.path.string());
    // An Italian desktop: the language every first start spoke before it asked.
    headless::setEnvironment({{"LANGUAGE", "it"}});
    resetGameGlobals();
}

void GameTest::TearDown() {
    headless::reset();
}
