// The browser's entry: the game as three steps the page calls (the desktop's
// entry, main.cpp, runs them as one loop), the page told after each frame
// which screen is up and what notice.
#include "app/frame_loop.h"
#include "app/game_state.h"
#include "platform/web/browser_frames.h"

namespace {

const char* screenWord(GameState state) {
    switch (state) {
        case GameState::Busy: return "busy";
        case GameState::MainMenu: return "menu";
        case GameState::Playing: return "playing";
        case GameState::Dead: return "dead";
        case GameState::Options: return "options";
        case GameState::QuitConfirm: return "quit";
        case GameState::Pause: return "paused";
        case GameState::WorldSelect: return "worlds";
        case GameState::InventoryScreen: return "inventory";
        case GameState::ChestScreen: return "chest";
        case GameState::MoreOptions: return "more-options";
    }
    return "other";
}

bool frameTold() {
    const bool going = gameFrame();
    plat::tellPage(screenWord(game.gameState), game.notice.english);
    return going;
}

}  // namespace

int main() {
    plat::runInBrowser(startGame, frameTold, finishGame);
    return 0;
}
