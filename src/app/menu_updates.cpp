// The keyboard menus: Up and Down step the selection, Enter acts on it, Esc
// goes back; every step passes the shared 250 ms gate.
#include "app/game_state.h"
#include "app/state_updates.h"
#include "app/world_ops.h"
#include "game/playing.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "render/camera.h"
#include "ui/layout.h"
#include "ui/option_rows.h"
#include "world/options.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

bool held(uint8_t key) {
    return held(game.frame, key);
}
bool gateOpen() {
    return gateOpen(game.gate, game.frame);
}
void gateFired() {
    gateFired(game.gate, game.frame);
}

bool upHeld() {
    return held(key::W) || held(key::Up);
}
bool downHeld() {
    return held(key::S) || held(key::Down);
}

// Up and Down over a 1..count selection.
void stepSelection(uint8_t& choice, uint8_t count) {
    const uint8_t was = choice;
    if (upHeld() && gateOpen() && choice > 1) {
        --choice;
        gateFired();
    } else if (downHeld() && gateOpen() && choice < count) {
        ++choice;
        gateFired();
    }
    if (choice != was) game.events.add({EventKind::MenuMoved, 0, {}, float(choice)});
}

// Enter and Esc each fire once the gate is open; the caller acts, then the
// gate closes whatever was chosen.
bool enterPressed() {
    if (!(held(key::Return) && gateOpen())) return false;
    game.events.add({EventKind::MenuChosen});
    return true;
}
bool escPressed() {
    return held(key::Escape) && gateOpen();
}

void goTo(GameState state) {
    game.gameState = state;
}

// Esc from the menus under the main menu goes back to it.
void escToMainMenu() {
    if (!escPressed()) return;
    goTo(GameState::MainMenu);
    gateFired();
}

void enterQuitConfirm() {
    goTo(GameState::QuitConfirm);
    game.quitChoice = 2;
}

void backToPlaying() {
    goTo(GameState::Playing);
    resumeFromPause(game.play, game.frame.now);
}

// "Delete WorldK?" over the world selection, entered on No like the quit
// confirmation. Yes moves the slot's files aside; either way, and on Esc, the
// world selection's own rows take the keys again.
void updateDeleteQuestion() {
    stepSelection(game.deleteChoice, 2);
    if (enterPressed()) {
        if (game.deleteChoice == 1) emptySlot(game.deleteSlot);
        game.deleteSlot = 0;
        gateFired();
    }
    if (escPressed()) {
        game.deleteSlot = 0;
        gateFired();
    }
}

}  // namespace

int updateMainMenu() {
    // Up and Down held together cancel out in the main menu.
    if (!(upHeld() && downHeld())) stepSelection(game.mainMenuChoice, 3);
    if (enterPressed()) {
        switch (game.mainMenuChoice) {
            case 1:
                goTo(GameState::WorldSelect);
                game.worldSlotChoice = 1;
                game.deleteSlot = 0;
                break;
            case 2:
                goTo(GameState::Options);
                game.optionsChoice = 3;
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
    if (game.deleteSlot != 0) {
        updateDeleteQuestion();
        return 0;
    }
    stepSelection(game.worldSlotChoice, 5);
    // Delete asks only about a slot that holds something; on an empty slot or
    // on Cancel it does nothing, not even close the gate.
    const int slot = game.worldSlotChoice;
    if (held(key::Delete) && gateOpen() && slot >= 1 && slot <= 4 && slotOccupied(slot)) {
        game.deleteSlot = uint8_t(slot);
        game.deleteChoice = 2;
        gateFired();
        return 0;
    }
    if (enterPressed()) {
        if (game.worldSlotChoice == 5) {
            goTo(GameState::MainMenu);
        } else {
            openSlot(game.worldSlotChoice);
        }
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updateOptions() {
    stepSelection(game.optionsChoice, kOptionsMoreChoice);
    if (enterPressed()) {
        switch (game.optionsChoice) {
            case 1:
                // The distance chosen is the one drawn: a far view gives way.
                stepRenderDistance(game.settings);
                game.options.farView = 0;
                markProjectionDirty(game.renderer);
                break;
            case 2:
                toggleLanguage(game.settings);
                break;
            case kOptionsCancelChoice:
                goTo(GameState::MainMenu);
                break;
            case kOptionsMoreChoice:
                goTo(GameState::MoreOptions);
                game.moreOptionsChoice = 1;
                break;
        }
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updateMoreOptions() {
    stepSelection(game.moreOptionsChoice, kMoreOptionsBackChoice);
    const int row = game.moreOptionsChoice - 1;
    const bool optionRow = row >= 0 && row < kOptionRowCount;
    const plat::ViewSize view = plat::viewSize();
    const int largestScale = largestFittingQuarters(view.width, view.height);
    // Left and Right step an option's value down and up; Enter steps it up.
    const bool left = held(key::Left) || held(key::A), right = held(key::Right) || held(key::D);
    if (optionRow && left != right && gateOpen()) {
        stepOptionRow(game.options, row, left ? -1 : 1, largestScale);
        game.events.add({EventKind::MenuChosen});
        gateFired();
    }
    auto backToOptions = [] {
        goTo(GameState::Options);
        game.optionsChoice = kOptionsMoreChoice;
    };
    if (enterPressed()) {
        if (optionRow)
            stepOptionRow(game.options, row, 1, largestScale);
        else
            backToOptions();
        gateFired();
    }
    if (escPressed()) {
        backToOptions();
        gateFired();
    }
    return 0;
}

int updateQuitConfirm() {
    stepSelection(game.quitChoice, 2);
    if (enterPressed()) {
        if (game.quitChoice == 1)
            plat::postQuit();
        else
            goTo(GameState::MainMenu);
        gateFired();
    }
    escToMainMenu();
    return 0;
}

int updatePause() {
    stepSelection(game.pauseChoice, 3);
    if (enterPressed()) {
        switch (game.pauseChoice) {
            case 1:
                backToPlaying();
                break;
            case 2:
                saveSlot(game.worldSlotChoice);
                break;
            case 3:
                goTo(GameState::MainMenu);
                leaveWorld(game.play.player);
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
