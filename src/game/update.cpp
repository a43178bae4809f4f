#include "game/update.h"

#include "app/game_state.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/screenshot.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "world/chests.h"
#include "world/world.h"

void readInputDevices() {
    plat::readKeyboard(shell.keyboard);
    if (!plat::readMouse(shell.mouse)) shell.mouse = plat::MouseState{};
}

void respawnPlayer() {
    player.Position = Vec3{500.0f, spawnEyeHeight(500, 500), 500.0f};
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
}

int updatePlaying() {
    shell.frameElapsed = shell.frameTime - shell.previousFrameTime;

    // One picture in every frame while F4 is held.
    if (held(key::F4)) takeScreenshot();

    if (player.Position.y <= -100.0f) {
        shell.gameState = GameState::Dead;
        cancelVerticalMotion();
    }
    // I, then Esc: each leaves play for a screen that stops the jump clock.
    if (held(key::I) && gateOpen()) {
        shell.gameState = GameState::InventoryScreen;
        play.screenCursor = play.selectedSlot;
        play.markedCell = 255;
        holdJumpClock(shell.frameTime);
        gateFired();
    }
    if (held(key::Escape) && gateOpen()) {
        shell.gameState = GameState::Pause;
        shell.pauseChoice = 1;
        holdJumpClock(shell.frameTime);
        gateFired();
    }
    return 0;
}

void updateItemScreen() {
    if ((held(key::Escape) || held(key::I)) && gateOpen()) {
        // The chest's working copy goes back to its record on the way out.
        if (shell.gameState == GameState::ChestScreen) {
            closeChest(play.openChest);
        }
        shell.gameState = GameState::Playing;
        resumeJumpClock(shell.frameTime);
        gateFired();
    }
}
