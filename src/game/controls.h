// The player's controls while playing that are not movement: which hotbar
// cell is in use, the display toggles, and the body-collision reading the
// debug lines show.
#pragma once

#include <cstdint>

struct Controls {
    uint8_t selectedSlot = 0;      // hotbar cell 0..8 in use
    uint8_t hudVisible = 1;        // E: the heads-up display is drawn
    int32_t debugInfoVisible = 0;  // F3: the debug lines are drawn
    uint8_t Collide = 0;           // the body's collision at the end of the last update
    // Set by this frame's mouse buttons, cleared at the end of every update:
    // the left while it is held, the right on a click the repeat clock accepts.
    uint8_t leftButtonLatch = 0;
    uint8_t rightButtonLatch = 0;
};

extern Controls controls;

// A freshly made or loaded world starts on the first hotbar cell, display on.
void controlsForNewWorld();

void resetControls();
