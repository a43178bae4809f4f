#include "app/state_table.h"

#include "app/frame_loop.h"
#include "app/state_updates.h"
#include "ui/frame.h"
#include "ui/menus.h"
#include "ui/screens.h"

namespace {

int drawBusy() {
    if (drawBusyScreen(shell.savingInProgress != 0) < 0) return -1;
    // While saving, one update per frame stamps the frame time, so the time
    // the save took is not seen as one long frame once play resumes.
    if (shell.savingInProgress && frameUpdate() < 0) return -1;
    return 0;
}

int drawPlaying() { return drawPlayingFrame(shell.FPS); }
int drawDead() { return drawDeadScreen(shell.FPS); }
int drawMain() { return drawMainMenu(shell.mainMenuChoice, shell.FPS); }
int drawOptions() { return drawOptionsMenu(shell.optionsChoice, shell.FPS); }
int drawQuit() { return drawQuitConfirm(shell.quitChoice, shell.FPS); }
int drawPause() { return drawPauseMenu(shell.pauseChoice, shell.FPS); }
int drawSlots() {
    return drawWorldSelect(shell.worldSlotChoice, shell.FPS, shell.deleteSlot, shell.deleteChoice);
}
int drawInventory() { return drawItemScreen(false, shell.FPS); }
int drawChest() { return drawItemScreen(true, shell.FPS); }

// Busy does nothing in its update: the devices are read and the frame time
// stamped by the frame update itself.
constexpr StateRow kRows[] = {
    /* 0 */ {nullptr, nullptr},
    /* 1 Busy */ {nullptr, drawBusy},
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
};
constexpr int kRowCount = int(sizeof kRows / sizeof kRows[0]);
constexpr StateRow kNoRow{nullptr, nullptr};

}  // namespace

const StateRow& stateRow(GameState state) {
    const int i = int(state);
    return i < kRowCount ? kRows[i] : kNoRow;
}
