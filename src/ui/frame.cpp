#include "ui/frame.h"

#include "app/game_state.h"
#include "game/play_state.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/world_view.h"
#include "ui/hud.h"
#include "ui/menus.h"
#include "ui/screen_common.h"
#include "ui/screens.h"

namespace {

// What the camera, the day cycle, the picking and the movement code computed
// for this frame. Until movement exists nothing collides.
HudReadout currentReadout() {
    return HudReadout{TimeLuminance(), 0, target().NewBlock};
}

}  // namespace

int drawPlayingFrame() {
    prepareWorldView();
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(TimeLuminance()));
    drawWorldView();
    const HudReadout readout = currentReadout();
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
