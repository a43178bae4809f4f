// Digging: the dig clock that runs while the left button holds the same
// block with the same hotbar cell, the crack stage it has reached, and what
// the last dig frame aimed at. A finished dig puts the block's yield into the
// inventory and brings back the torches fixed to it.
#pragma once

#include <cstdint>

#include "game/controls.h"
#include "game/events.h"
#include "game/frame.h"
#include "game/target.h"
#include "world/world.h"

struct DigState {
    int32_t digging = 0;       // 1 while the dig clock runs
    int32_t digStartTime = 0;  // frame time the dig began
    uint8_t crackStage = 0;    // 0..7, drawn over the block being dug
    // What the last dig frame aimed at; the dig goes on only while all three stay.
    uint8_t slot = 0;        // the hotbar cell in use
    Vec3 block = kNoTarget;  // the targeted cell
    uint8_t type = 0;        // that cell's block type
};

// One Playing update's digging. It runs in every update, button held or not,
// so that letting go of the button ends the dig and the next press starts
// the clock afresh. Each frame of a running dig is a DigStep event; the block
// coming out is DigFinished.
void updateDigging(World& world, DigState& dig, const Controls& controls, const Target& aim,
                   const Frame& frame, Events& events);

// Before a frame is drawn, with its target picked: a running dig whose
// target, hotbar cell or block changed stops, and starts over next time.
void abandonStaleDig(const World& world, DigState& dig, const Target& aim, uint8_t selectedSlot);
