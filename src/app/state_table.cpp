#include "app/state_table.h"

#include "app/state_updates.h"
#include "ui/frame.h"
#include "ui/menus.h"
#include "ui/screens.h"

namespace {

Overlay overlay() {
    return Overlay(game.FPS, game.frame.now, &game.notice);
}

// The progress word pulses once per frame that was drawn; the pump of the
// operation under way runs the updates.
int drawBusy() {
    const Pulse next = nextPulse(game.busyPulse);
    if (drawBusyScreen(game.options, game.settings, game.savingInProgress != 0, next.alpha,
                       overlay()) < 0)
        return -1;
    game.busyPulse = next;
    return 0;
}

void preparePlaying() {
    preparePlayingFrame(game.renderer, game.world, game.options, game.settings, game.play);
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

// Busy does nothing in its update: the devices are read and the frame time
// stamped by the frame update itself.
constexpr StateRow kRows[] = {
    /* 0 */ {nullptr, nullptr, nullptr},
    /* 1 Busy */ {nullptr, nullptr, drawBusy},
    /* 2 */ {nullptr, nullptr, nullptr},
    /* 3 MainMenu */ {updateMainMenu, nullptr, drawMain},
    /* 4 Playing */ {updatePlayingState, preparePlaying, drawPlaying},
    /* 5 Dead */ {updateDead, nullptr, drawDead},
    /* 6 Options */ {updateOptions, nullptr, drawOptions},
    /* 7 QuitConfirm */ {updateQuitConfirm, nullptr, drawQuit},
    /* 8 Pause */ {updatePause, nullptr, drawPause},
    /* 9 WorldSelect */ {updateWorldSelect, nullptr, drawSlots},
    /* 10 InventoryScreen */ {updateInventoryScreen, nullptr, drawInventory},
    /* 11 ChestScreen */ {updateChestScreen, nullptr, drawChest},
    /* 12 MoreOptions */ {updateMoreOptions, nullptr, drawMoreOptions},
};
constexpr int kRowCount = int(sizeof kRows / sizeof kRows[0]);
constexpr StateRow kNoRow{nullptr, nullptr, nullptr};

}  // namespace

const StateRow& stateRow(GameState state) {
    const int i = int(state);
    return i < kRowCount ? kRows[i] : kNoRow;
}
