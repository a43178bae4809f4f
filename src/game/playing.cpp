#include "game/playing.h"

#include "game/controls.h"
#include "game/crafting.h"
#include "game/digging.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "game/item_screens.h"
#include "game/placing.h"
#include "game/player.h"
#include "game/screenshot.h"
#include "game/target.h"
#include "platform/keys.h"

PlayRequest updatePlaying() {
    PlayRequest request = PlayRequest::Stay;

    // 1-3: mouse motion and the button latches.

    // 4: the time since the previous update, which movement and the day use.
    measureFrameElapsed();

    // 5-6: walking, then jumping and falling, with collision.

    // 7: turning the camera with the mouse.

    // 8-9: the hotbar keys, then F5.

    // 10: digging while the left button is latched.
    updateDigging();  // every update: a released button ends the dig

    // 11: placing, or opening a chest, on an accepted right click.
    if (controls.rightButtonLatch && placeOrOpen() == PlaceResult::OpenedChest)
        request = PlayRequest::Chest;

    // 12: the time of day.

    // 13: E, F3, then F4: one screenshot in every frame while F4 is held.
    if (held(key::F4)) takeScreenshot();

    // 14-15: latches cleared; the body's collision kept for the debug lines.

    // 16: falling to the bottom of the world is death (not gated).
    if (player.Position.y <= -100.0f) {
        cancelVerticalMotion();
        request = PlayRequest::Dead;
    }

    // 17: the crafting panel's keys while it is open.
    if (craftingPanel.open) updateCraftingKeys();

    // 18: R, then I, then Esc; each leaves play for a screen that holds the
    // jump clock.
    if (held(key::I) && gateOpen()) {
        openInventoryScreen();
        holdJumpClock();
        gateFired();
        request = PlayRequest::Inventory;
    }
    if (held(key::Escape) && gateOpen()) {
        holdJumpClock();
        gateFired();
        request = PlayRequest::Pause;
    }
    return request;
}

void startPlayingWorld() {
    placePlayerInNewWorld();
    resetTarget();
    resetDig();
    controlsForNewWorld();
    resetCraftingCursor();
}

void resumeFromPause() {
    resumeJumpClock();
    resetCraftingCursor();
}
