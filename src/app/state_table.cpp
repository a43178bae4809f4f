#include "app/state_table.h"

#include "app/state_updates.h"
#include "ui/frame.h"
#include "ui/menus.h"
#include "ui/screens.h"

namespace {

Overlay overlay() {
    return Overlay(game.FPS, game.frame.now, &game.notice);
}

int drawBusy() {
    return drawBusyScreen(game.options, game.settings, game.savingInProgress != 0,
                          game.busyPulse.alpha, overlay());
}
int drawPlaying() {
    return drawPlayingFrame(game.renderer, game.world, game.options, game.settings, game.play,
                            overlay());
}
int drawDead() {
    return drawDeadScreen(game.renderer, game.world, game.options, game.settings, game.play,
                          overlay());
}
int drawMain() {
    return drawMainMenu(game.options, game.settings, game.mainMenuChoice, overlay());
}
int drawOptions() {
    return drawOptionsMenu(game.options, game.settings, game.optionsChoice, overlay());
}
int drawMoreOptions() {
    return drawMoreOptionsMenu(game.options, game.settings, game.moreOptionsChoice, overlay());
}
int drawQuit() {
    return drawQuitConfirm(game.options, game.settings, game.quitChoice, overlay());
}
int drawPause() {
    return drawPauseMenu(game.options, game.settings, game.pauseChoice, overlay());
}
int drawSlots() {
    return drawWorldSelect(game.options, game.settings, game.worldSlotChoice, overlay(),
                           game.deleteSlot, game.deleteChoice);
}
int drawInventory() {
    return drawItemScreen(game.world, game.options, game.settings, game.play.itemScreen, false,
                          overlay());
}
int drawChest() {
    return drawItemScreen(game.world, game.options, game.settings, game.play.itemScreen, true,
                          overlay());
}

constexpr StateRow kRows[] = {
    /* 0 */ {nullptr, nullptr},
    /* 1 Busy */ {updateBusy, drawBusy},
    /* 2 */ {nullptr, nullptr},
    /* 3 MainMenu */ {updateMainMenu, drawMain},
    /* 4 Playing */ {updatePlayingState, drawPlaying},
    /* 5 Dead */ {updateDead, drawDead},
    /* 6 Options */ {updateOptions, drawOptions},
    /* 7 QuitConfirm */ {updateQuitConfirm, drawQuit},
    /* 8 Pause */ {updatePause, drawPause},
    /* 9 WorldSelect */ {updateWorldSelect, drawSlots},
    /* 10 InventoryScreen */ {updateInventoryScreen, drawInventory},
    /* 11 ChestScreen */ {updateChestScreen, drawChest},
    /* 12 MoreOptions */ {updateMoreOptions, drawMoreOptions},
};
constexpr int kRowCount = int(sizeof kRows / sizeof kRows[0]);
constexpr StateRow kNoRow{nullptr, nullptr};

}  // namespace

const StateRow& stateRow(GameState state) {
    const int i = int(state);
    return i < kRowCount ? kRows[i] : kNoRow;
}
