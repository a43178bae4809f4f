#include "ui/frame.h"

#include "app/game_state.h"
#include "game/play_state.h"
#include "platform/platform.h"
#include "ui/hud.h"
#include "ui/menus.h"
#include "ui/screen_common.h"
#include "ui/screens.h"

namespace {

// What the camera, the day cycle and the movement code computed for this
// frame. Until they exist the sky is at full daylight and nothing collides.
HudReadout currentReadout() {
    return HudReadout{};
}

}  // namespace

int drawPlayingFrame() {
    const HudReadout readout = currentReadout();
    // Camera and light map are brought up to date here, before the scene.
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(readout.timeLuminance));
    // The world passes go here: visible blocks, glass, placement side, target
    // outline and dig cracks.
    if (play.hudVisible) {
        drawNoticeLine(kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawHud(readout);
    }
    plat::endScene();
    return 0;
}

int drawFrame() {
    if (!plat::hasDevice()) {
        plat::errorBox("ERRORE", "Errore nel caricamento del Device.");
        return -1;
    }
    int result = 0;
    switch (shell.gameState) {
        case GameState::Busy:
            result = drawBusyScreen();
            break;
        case GameState::MainMenu:
            result = drawMainMenu();
            break;
        case GameState::Playing:
            result = drawPlayingFrame();
            break;
        case GameState::Dead:
            result = drawDeadScreen(currentReadout());
            break;
        case GameState::Options:
            result = drawOptionsMenu();
            break;
        case GameState::QuitConfirm:
            result = drawQuitConfirm();
            break;
        case GameState::Pause:
            result = drawPauseMenu();
            break;
        case GameState::WorldSelect:
            result = drawWorldSelect();
            break;
        case GameState::InventoryScreen:
            result = drawItemScreen(false);
            break;
        case GameState::ChestScreen:
            result = drawItemScreen(true);
            break;
        default:
            break;  // a state without a screen shows the last back buffer
    }
    // A scene that could not begin is not presented.
    if (result < 0) return result;
    plat::present();
    return 0;
}
