#include "app/frame_loop.h"

#include "app/game_state.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "ui/frame.h"
#include "world/progress_pump.h"
#include "world/settings.h"
#include "world/world.h"

Shell shell;

void countFrame(FpsCounter& counter) {
    ++counter.frames;
    if (plat::clockMs() > counter.windowStart + 999) {
        shell.FPS = counter.frames;
        counter.windowStart = plat::clockMs();
        counter.frames = 0;
    }
}

int runGame() {
    settings = Settings{};
    readSettings();
    // The grid is made ready by the first world operation, not at start.
    world.worldStorageReady = world.cells != nullptr;
    plat::showCursor(false);

    shell.gameState = GameState::MainMenu;
    shell.mainMenuChoice = 1;
    if (plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600) < 0) {
        plat::showCursor(true);
        return -1;
    }
    pumpHooks = PumpHooks{drawFrame, frameUpdate};

    FpsCounter fps{plat::clockMs(), 0};
    // The pass that takes the quit message still draws and updates once.
    plat::Message last = plat::Message::None;
    while (last != plat::Message::Quit) {
        last = plat::takeMessage();
        if (drawFrame() < 0) return -1;
        if (frameUpdate() < 0) return -1;
        countFrame(fps);
        resetPolygons();
    }

    writeSettings();
    if (plat::shutdown() < 0) {
        plat::errorBox("ERRORE", "Errore nella chiusura dell'applicazione");
        plat::showCursor(true);
        return -1;
    }
    plat::showCursor(true);
    return 0;
}
