#include "app/frame_loop.h"

#include "app/game_state.h"
#include "app/options_sync.h"
#include "app/sounds.h"
#include "app/state_table.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

Game game;

void countFrame(FpsCounter& counter) {
    ++counter.frames;
    if (plat::clockMs() > counter.windowStart + 999) {
        game.FPS = counter.frames;
        counter.windowStart = plat::clockMs();
        counter.frames = 0;
    }
}

int drawFrame() {
    if (!plat::hasDevice()) {
        plat::errorBox("ERRORE", "Errore nel caricamento del Device.");
        return -1;
    }
    const StateRow& row = stateRow(game.gameState);
    // What the frame shows is made ready first; the drawing only reads it.
    if (row.prepare) row.prepare();
    // A scene that could not begin is not presented.
    if (row.draw && row.draw() < 0) return -1;
    plat::present();
    return 0;
}

int frameUpdate() {
    game.events = Events{};
    game.eventsHeard = 0;
    const int result = nestedFrameUpdate();
    syncOptions();
    return result;
}

int nestedFrameUpdate() {
    Frame& frame = game.frame;
    frame.input = readInputDevices();
    frame.now = plat::clockMs();
    frame.elapsed = frame.now - game.lastUpdateTime;
    const StateRow& row = stateRow(game.gameState);
    if (row.update) {
        if (int r = row.update(); r < 0) return r;
    }
    // Only play turns the camera with an unbounded mouse; menus leave it free.
    plat::setMouseCaptured(game.gameState == GameState::Playing);
    // Heard as soon as it happened, even inside a long operation's pump.
    playFrameSounds();
    game.lastUpdateTime = game.frame.now;
    return 0;
}

int runGame() {
    readSettings(game.settings, game.settingsFile);
    startOptions();
    plat::showCursor(false);

    game.gameState = GameState::MainMenu;
    game.mainMenuChoice = 1;
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
        resetPolygons(game.renderer);
    }

    writeSettings(game.settings, game.settingsFile);
    if (plat::shutdown() < 0) {
        plat::errorBox("ERRORE", "Errore nella chiusura dell'applicazione");
        plat::showCursor(true);
        return -1;
    }
    plat::showCursor(true);
    return 0;
}
