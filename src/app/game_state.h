// The Game state machine's values: which screen is up, the menu selections,
// the frame clock and the 250 ms action gate shared by every menu step and
// state change, and the frame counters.
#pragma once

#include <cstdint>

#include "platform/platform.h"

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

inline constexpr int32_t kActionGateMs = 250;

struct Shell {
    GameState gameState = GameState::MainMenu;
    uint8_t mainMenuChoice = 1;   // 1..3
    uint8_t optionsChoice = 3;    // 1..3
    uint8_t quitChoice = 2;       // 1 = Yes, 2 = No
    uint8_t pauseChoice = 1;      // 1..3
    uint8_t worldSlotChoice = 1;  // 1..4 slots, 5 = Cancel; the slot being played
    uint8_t savingInProgress = 0;

    int32_t frameTime = 0;
    int32_t previousFrameTime = 0;
    int32_t frameElapsed = 0;
    int32_t lastActionTime = 0;

    int32_t FPS = 0;

    // This frame's input snapshots.
    plat::KeyboardState keyboard{};
    plat::MouseState mouse{};
};

extern Shell shell;

inline bool held(uint8_t scanCode) { return (shell.keyboard.keys[scanCode] & 0x80) != 0; }

// The shared gate: an action may fire when 250 ms have passed since the last.
inline bool gateOpen() { return shell.frameTime >= shell.lastActionTime + kActionGateMs; }
inline void gateFired() { shell.lastActionTime = shell.frameTime; }
