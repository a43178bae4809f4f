// Per-session play values that are not stored with a world: which hotbar cell
// is in use, the display toggles, the crafting panel, the screen cursors.
#pragma once

#include <cstdint>

struct PlayState {
    uint8_t selectedSlot = 0;       // hotbar cell 0..8
    uint8_t hudVisible = 1;         // E
    uint8_t debugInfoVisible = 0;   // F3
    uint8_t craftingOpen = 0;       // R
    uint8_t recipeCursor = 0;       // crafting panel's cursor
    uint8_t screenCursor = 0;       // inventory / chest screen cursor
    uint8_t markedCell = 255;       // 255 = no mark
    uint8_t freeCellCount = 0;
    uint8_t openChest = 0;          // chest number shown in the chest screen
};

extern PlayState play;

// What a freshly generated or loaded world starts with: the player at the
// world's centre column, nothing targeted, first hotbar cell, display on.
void resetPlayState();
