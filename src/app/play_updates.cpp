// The states of a world being played: the game's own update, and the screen
// changes it asks for.
#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "game/playing.h"
#include "platform/keys.h"

int updatePlayingState() {
    switch (updatePlaying()) {
        case PlayRequest::Stay:
            break;
        case PlayRequest::Pause:
            shell.gameState = GameState::Pause;
            shell.pauseChoice = 1;
            break;
        case PlayRequest::Inventory:
            shell.gameState = GameState::InventoryScreen;
            break;
        case PlayRequest::Chest:
            shell.gameState = GameState::ChestScreen;
            break;
        case PlayRequest::Dead:
            shell.gameState = GameState::Dead;
            break;
    }
    return 0;
}

int updateDead() {
    if (held(key::Return) && gateOpen()) {
        respawnPlayer();
        shell.gameState = GameState::Playing;
        gateFired();
    }
    return 0;
}

namespace {

int updateItemScreenState(bool chest) {
    if (updateItemScreen(chest) == ScreenRequest::Leave) {
        shell.gameState = GameState::Playing;
        resumeJumpClock();
    }
    return 0;
}

}  // namespace

int updateInventoryScreen() { return updateItemScreenState(false); }
int updateChestScreen() { return updateItemScreenState(true); }
