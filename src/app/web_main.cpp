// The browser's entry: the game as three steps the page calls (the desktop's
// entry, main.cpp, runs them as one loop).
#include "app/frame_loop.h"
#include "platform/web/browser_frames.h"

// ---- TEMPORARY shim: startGame, gameFrame and finishGame are runGame's
// three parts, which frame_loop.h is about to declare. Until it does they are
// made here from runGame's own pieces; delete this block when it lands. -----
#include "app/game_state.h"
#include "app/options_sync.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "world/options.h"
#include "world/settings.h"

namespace {
FpsCounter shimFps;
bool shimFailed = false;
}  // namespace

int startGame() {
    resetSettings();
    readSettings();
    startOptions();
    plat::showCursor(false);
    game.gameState = GameState::MainMenu;
    game.mainMenuChoice = 1;
    if (plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600) < 0) {
        plat::showCursor(true);
        return -1;
    }
    shimFps = FpsCounter{plat::clockMs(), 0};
    return 0;
}

bool gameFrame() {
    // The pass that takes the quit message still draws and updates once.
    const plat::Message last = plat::takeMessage();
    if (drawFrame() < 0 || frameUpdate() < 0) {
        shimFailed = true;
        return false;
    }
    countFrame(shimFps);
    resetPolygons();
    return last != plat::Message::Quit;
}

int finishGame() {
    if (shimFailed) return -1;
    writeSettings();
    const int result = plat::shutdown() < 0 ? -1 : 0;
    if (result < 0) plat::errorBox("ERRORE", "Errore nella chiusura dell'applicazione");
    plat::showCursor(true);
    return result;
}
// ---- end of the TEMPORARY shim ---------------------------------------------

// TODO(save job): a browser's save is durable only once the files folder has
// been copied to its storage, which ends in a later frame. When saving is a
// job the frames step, its last step after the commit is to take
// plat::requestPersist() and stay pending while plat::persistState(ticket) is
// Pending; only Done reports "saved" (Failed: not saved). Until then the copy
// starts right after the frame that wrote the files, and a tab closed in that
// moment loses the save it was told had succeeded.

int main() {
    plat::runInBrowser(startGame, gameFrame, finishGame);
    return 0;
}
