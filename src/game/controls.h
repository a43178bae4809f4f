// The player's controls while playing that are not movement: this frame's
// mouse motion and button latches, the keys that repeat on clocks of their
// own, which hotbar cell is in use, the display toggles, and the body-collision
// reading the debug lines show.
#pragma once

#include <cstdint>

#include "game/frame.h"
#include "game/player.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

// A key with a clock of its own fires at most this often while held.
inline constexpr int32_t kKeyRepeatMs = 150;

struct Controls {
    // This frame's mouse motion, taken at the start of the update and spent
    // by the end of it.
    int32_t mouseDeltaX = 0;
    int32_t mouseDeltaY = 0;
    // Set by this frame's mouse buttons, cleared at the end of every update:
    // the left while it is held, the right on a click the repeat clock accepts.
    uint8_t leftButtonLatch = 0;
    uint8_t rightButtonLatch = 0;

    uint8_t selectedSlot = 0;      // hotbar cell 0..8 in use
    uint8_t hudVisible = 1;        // E: the heads-up display is drawn
    int32_t debugInfoVisible = 0;  // F3: the debug lines are drawn
    uint8_t Collide = 0;           // the body's collision at the end of the last update

    // When each key last fired. They keep running across screens.
    int32_t rightButtonClock = 0;
    int32_t renderDistanceClock = 0;  // F5
    int32_t hudClock = 0;             // E
    int32_t debugClock = 0;           // F3
    int32_t craftingClock = 0;        // R
};

// The start of the update: the mouse motion, and the button latches.
void takeMouseAndButtons(Controls& controls, const Frame& frame);
// Keys 1 to 9 choose hotbar cells 0 to 8; with several held the highest wins.
void selectHotbarCell(Controls& controls, const Frame& frame);
// F5: the next rendering distance, at most every 150 ms while held.
void renderDistanceKey(Controls& controls, const Frame& frame, Options& options,
                       Settings& settings);
// E hides or shows the display, F3 the debug lines, each on its own clock.
void displayToggleKeys(Controls& controls, const Frame& frame);
// R: whether the crafting panel opens or closes in this update.
bool craftingPanelKeyFires(Controls& controls, const Frame& frame);
// The end of the update: motion and latches spent, and the body's collision
// at its final position kept for the debug lines.
void finishFrameControls(const World& world, Controls& controls, const Player& player);

// A freshly made or loaded world starts on the first hotbar cell, display on.
void controlsForNewWorld(Controls& controls);
