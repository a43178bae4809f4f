// The keyboard menus: Up and Down step the selection, Enter acts on it, Esc
// goes back; every step passes the shared 250 ms gate.
#include "app/game_state.h"
#include "app/state_updates.h"
#include "app/world_ops.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "game/player.h"
#include "game/playing.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "render/camera.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

bool upHeld() { return held(key::W) || held(key::Up); }
bool downHeld() { return held(key::S) || held(key::Down); }

// Up and Down over a 1..count selection.
void stepSelection(uint8_t& choice, uint8_t count) {
    if (upHeld() && gateOpen() && choice > 1) {
        --choice;
        gateFired();
    } else if (downHeld() && gateOpen() && choice < count) {
        ++choice;
        gateFired();
    }
}

// Enter and Esc each fire once the gate is open; the caller acts, then the
// gate closes whatever was chosen.
bool enterPressed() { return held(key::Return) && gateOpen(); }
bool escPressed() { return held(key::Escape) && gateOpen(); }

void goTo(GameState state) { shell.gameState = state; }

// Esc from the menus under the main menu goes back to it.
void escToMainMenu() {
    if (!escPressed()) return;
    goTo(GameState::MainMenu);
    gateFired();
}

void enterQuitConfirm() {
    goTo(GameState::QuitConfirm);
    shell.quitChoice = 2;
}

void backToPlaying() {
    goTo(GameState::Playing);
    resumeFromPause();
}

// "Delete WorldK?" over the world selection, entered on No like the quit
// confirmation. Yes moves the slot's files aside; either way, and on Esc, the
// world selection's own rows take the keys again.
void updateDeleteQuestion() {
    stepSelection(shell.deleteChoice, 2);
    if (enterPressed()) {
        if (shell.deleteChoice == 1) emptySlot(shell.deleteSlot);
        shell.deleteSlot = 0;
        gateFired();
    }
    if (escPressed()) {
        shell.deleteSlot = 0;
        gateFired();
    }
}

}  // namespace

int updateMainMenu() {
    // Up and Down held together cancel out in the main menu.
    if (!(upHeld() && downHeld())) stepSelection(shell.mainMenuChoice, 3);
    if (enterPressed()) {
        switch (shell.mainMenuChoice) {
            case 1:
                goTo(GameState::WorldSelect);
                shell.worldSlotChoice = 1;
                shell.deleteSlot = 0;
                break;
            case 2:
                goTo(GameState::Options);
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
    return 0;
}

int updateWorldSelect() {
    if (shell.deleteSlot != 0) {
        updateDeleteQuestion();
        return 0;
    }
    stepSelection(shell.worldSlotChoice, 5);
    // Delete asks only about a slot that holds something; on an empty slot or
    // on Cancel it does nothing, not even close the gate.
    const int slot = shell.worldSlotChoice;
    if (held(key::Delete) && gateOpen() && slot >= 1 && slot <= 4 && slotOccupied(slot)) {
        shell.deleteSlot = uint8_t(slot);
        shell.deleteChoice = 2;
        gateFired();
        return 0;
    }
    if (enterPressed()) {
        if (shell.worldSlotChoice == 5) {
            goTo(GameState::MainMenu);
        } else if (int r = openSlot(shell.worldSlotChoice); r < 0) {
            return r;
        }
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updateOptions() {
    stepSelection(shell.optionsChoice, 3);
    if (enterPressed()) {
        switch (shell.optionsChoice) {
            case 1:
                stepRenderDistance();
                markProjectionDirty();
                break;
            case 2:
                toggleLanguage();
                break;
            case 3:
                goTo(GameState::MainMenu);
                break;
        }
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updateQuitConfirm() {
    stepSelection(shell.quitChoice, 2);
    if (enterPressed()) {
        if (shell.quitChoice == 1)
            plat::postQuit();
        else
            goTo(GameState::MainMenu);
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updatePause() {
    stepSelection(shell.pauseChoice, 3);
    if (enterPressed()) {
        switch (shell.pauseChoice) {
            case 1:
                backToPlaying();
                break;
            case 2:
                if (int r = saveSlot(shell.worldSlotChoice); r < 0) return r;
                break;
            case 3:
                goTo(GameState::MainMenu);
                leaveWorld();
                closeSlot();
                break;
        }
        gateFired();
    }
    if (escPressed()) {
        backToPlaying();
        gateFired();
    }
    return 0;
}
