#include "app/frame_loop.h"

#include "app/game_state.h"
#include "app/state_table.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "world/settings.h"
#include "world/world.h"

Shell shell;

void resetShell() { shell = Shell{}; }

void countFrame(FpsCounter& counter) {
    ++counter.frames;
    if (plat::clockMs() > counter.windowStart + 999) {
        shell.FPS = counter.frames;
        counter.windowStart = plat::clockMs();
        counter.frames = 0;
    }
}

int drawFrame() {
    if (!plat::hasDevice()) {
        plat::errorBox("ERRORE", "Errore nel caricamento del Device.");
        return -1;
    }
    const StateRow& row = stateRow(shell.gameState);
    // A scene that could not begin is not presented.
    if (row.draw && row.draw() < 0) return -1;
    plat::present();
    return 0;
}

int frameUpdate() {
    readInputDevices();
    stampFrameTime(plat::clockMs());
    const StateRow& row = stateRow(shell.gameState);
    if (row.update) {
        if (int r = row.update(); r < 0) return r;
    }
    // Only play turns the camera with an unbounded mouse; menus leave it free.
    plat::setMouseCaptured(shell.gameState == GameState::Playing);
    endFrameUpdate();
    return 0;
}

int runGame() {
    resetSettings();
    readSettings();
    plat::showCursor(false);

    shell.gameState = GameState::MainMenu;
    shell.mainMenuChoice = 1;
    if (plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600) < 0) {
        plat::showCursor(true);
        return -1;
    }

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
