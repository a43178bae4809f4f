// The Game state machine's values: which screen is up, the menu selections
// and the frames-per-second figure. The frame clock and the 250 ms action
// gate the states share belong to the game floor (game/frame_clock.h).
#pragma once

#include <cstdint>

enum class GameState : uint8_t {
    Busy = 1,
    MainMenu = 3,
    Playing = 4,
    Dead = 5,
    Options = 6,
    QuitConfirm = 7,
    Pause = 8,
    WorldSelect = 9,
    InventoryScreen = 10,
    ChestScreen = 11,
};

struct Shell {
    GameState gameState = GameState::MainMenu;
    uint8_t mainMenuChoice = 1;   // 1..3
    uint8_t optionsChoice = 3;    // 1..3
    uint8_t quitChoice = 2;       // 1 = Yes, 2 = No
    uint8_t pauseChoice = 1;      // 1..3
    uint8_t worldSlotChoice = 1;  // 1..4 slots, 5 = Cancel; the slot being played
    // The world selection's question "Delete WorldK?" over its rows: the slot
    // asked about (0 = no question up) and its choice, 1 = Yes, 2 = No.
    uint8_t deleteSlot = 0;
    uint8_t deleteChoice = 2;
    uint8_t savingInProgress = 0;
    int32_t FPS = 0;
};

extern Shell shell;

void resetShell();
