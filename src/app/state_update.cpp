// The frame update: read the devices, stamp the frame time, then act by Game
// state. Menu steps and state changes all pass the shared 250 ms gate.
#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/update.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "render/camera.h"
#include "world/generation.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

bool upHeld() { return held(key::W) || held(key::Up); }
bool downHeld() { return held(key::S) || held(key::Down); }

// Up and Down over a 1..count selection; true when a step fired.
bool stepSelection(uint8_t& choice, uint8_t count) {
    if (upHeld() && gateOpen() && choice > 1) {
        --choice;
        gateFired();
        return true;
    }
    if (downHeld() && gateOpen() && choice < count) {
        ++choice;
        gateFired();
        return true;
    }
    return false;
}

// Enter and Esc each fire once the gate is open; the caller acts.
bool enterPressed() { return held(key::Return) && gateOpen(); }
bool escPressed() { return held(key::Escape) && gateOpen(); }

void enterQuitConfirm() {
    shell.gameState = GameState::QuitConfirm;
    shell.quitChoice = 2;
}

void updateMainMenu() {
    // Up and Down held together cancel out in the main menu.
    if (!(upHeld() && downHeld())) stepSelection(shell.mainMenuChoice, 3);
    if (enterPressed()) {
        switch (shell.mainMenuChoice) {
            case 1:
                shell.gameState = GameState::WorldSelect;
                shell.worldSlotChoice = 1;
                break;
            case 2:
                shell.gameState = GameState::Options;
                shell.optionsChoice = 3;
                break;
            case 3:
                enterQuitConfirm();
                break;
        }
        gateFired();
    }
    if (escPressed()) {
        enterQuitConfirm();
        gateFired();
    }
}

int updateWorldSelect() {
    stepSelection(shell.worldSlotChoice, 5);
    if (enterPressed()) {
        if (shell.worldSlotChoice == 5) {
            shell.gameState = GameState::MainMenu;
        } else if (slotOccupied(shell.worldSlotChoice)) {
            // A slot that cannot be read leaves us in the world selection.
            if (loadWorld() == 0) shell.gameState = GameState::Playing;
        } else {
            if (generateWorld() < 0) return -1;
            shell.gameState = GameState::Playing;
        }
        // The time the world took to make is not one long first frame.
        if (shell.gameState == GameState::Playing) shell.frameTime = plat::clockMs();
        gateFired();
    }
    if (escPressed()) {
        shell.gameState = GameState::MainMenu;
        gateFired();
    }
    return 0;
}

void updateOptions() {
    stepSelection(shell.optionsChoice, 3);
    if (enterPressed()) {
        switch (shell.optionsChoice) {
            case 1:
                settings.RenderDistance = settings.RenderDistance >= 4 ? 0 : settings.RenderDistance + 1;
                camera.projectionDirty = 1;
                break;
            case 2:
                settings.Language = settings.Language == 1 ? 2 : 1;
                break;
            case 3:
                shell.gameState = GameState::MainMenu;
                break;
        }
        gateFired();
    }
    if (escPressed()) {
        shell.gameState = GameState::MainMenu;
        gateFired();
    }
}

void updateQuitConfirm() {
    stepSelection(shell.quitChoice, 2);
    if (enterPressed()) {
        if (shell.quitChoice == 1)
            plat::postQuit();
        else
            shell.gameState = GameState::MainMenu;
        gateFired();
    }
    if (escPressed()) {
        shell.gameState = GameState::MainMenu;
        gateFired();
    }
}

void backToPlaying() {
    shell.gameState = GameState::Playing;
    resumeJumpClock(shell.frameTime);
}

int updatePause() {
    stepSelection(shell.pauseChoice, 3);
    if (enterPressed()) {
        switch (shell.pauseChoice) {
            case 1:
                backToPlaying();
                play.recipeCursor = 0;
                break;
            case 2: {
                shell.savingInProgress = 1;
                int result = saveWorld();
                shell.savingInProgress = 0;
                if (result < 0) return result;
                break;
            }
            case 3:
                shell.gameState = GameState::MainMenu;
                player.xzRotCamera = 0.0f;
                player.yRotCamera = 0.0f;
                cancelVerticalMotion();
                break;
        }
        gateFired();
    }
    if (escPressed()) {
        backToPlaying();
        play.recipeCursor = 0;
        gateFired();
    }
    return 0;
}

void updateDead() {
    if (enterPressed()) {
        respawnPlayer();
        shell.gameState = GameState::Playing;
        gateFired();
    }
}

}  // namespace

int frameUpdate() {
    readInputDevices();
    shell.frameTime = plat::clockMs();
    int result = 0;
    switch (shell.gameState) {
        case GameState::Busy:
            break;
        case GameState::MainMenu:
            updateMainMenu();
            break;
        case GameState::WorldSelect:
            result = updateWorldSelect();
            break;
        case GameState::Options:
            updateOptions();
            break;
        case GameState::QuitConfirm:
            updateQuitConfirm();
            break;
        case GameState::Pause:
            result = updatePause();
            break;
        case GameState::Playing:
            result = updatePlaying();
            break;
        case GameState::Dead:
            updateDead();
            break;
        case GameState::InventoryScreen:
        case GameState::ChestScreen:
            updateItemScreen();
            break;
    }
    if (result < 0) return result;
    // Only play turns the camera with an unbounded mouse; menus leave it free.
    plat::setMouseCaptured(shell.gameState == GameState::Playing);
    shell.previousFrameTime = shell.frameTime;
    return 0;
}
