#include "game/playing.h"

#include "game/movement.h"
#include "game/placing.h"
#include "platform/keys.h"
#include "world/options.h"

PlayResult updatePlaying(World& world, Play& play, Options& options, Settings& settings,
                         const Frame& frame, ActionGate& gate) {
    PlayResult out;
    Events& events = out.events;
    Controls& controls = play.controls;
    Player& player = play.player;

    // 1-3: mouse motion and the button latches.
    takeMouseAndButtons(controls, frame);

    // 4-6: with the time since the previous update, walking, then jumping
    // and falling, with collision; the steps walked on the ground.
    const float walked = walk(world, player, frame);
    jumpAndFall(world, player, frame, events);
    takeSteps(world, player, walked, events);

    // 7: turning the camera with the mouse.
    lookAround(player, controls.mouseDeltaX, controls.mouseDeltaY, options.mouseSensitivity);

    // 8-9: the hotbar keys, then F5.
    selectHotbarCell(controls, frame);
    renderDistanceKey(controls, frame, options, settings);

    // 10: digging while the left button is latched.
    updateDigging(world, play.dig, controls, play.target, frame,
                  events);  // every update: a released button ends the dig

    // 11: placing, or opening a chest, on an accepted right click.
    if (controls.rightButtonLatch &&
        placeOrOpen(world, play, frame, gate, events) == PlaceResult::OpenedChest)
        out.request = PlayRequest::Chest;

    // 12: the time of day.
    advanceTimeOfDay(world, play.day, frame.elapsed);

    // 13: E, F3, then F4: one screenshot in every frame while F4 is held,
    // taken by the app, which owns the files.
    displayToggleKeys(controls, frame);
    out.screenshot = held(frame, key::F4);

    // 14-15: latches cleared; the body's collision kept for the debug lines.
    finishFrameControls(world, controls, player);

    // 16: falling to the bottom of the world is death (not gated).
    if (fellOutOfWorld(player)) {
        out.request = PlayRequest::Dead;
        events.add({EventKind::Died});
    }

    // 17: the crafting panel's keys while it is open.
    if (play.crafting.open) updateCraftingKeys(world, play.crafting, frame, gate, events);

    // 18: R, then I, then Esc; the last two leave play for a screen that holds
    // the jump clock.
    if (craftingPanelKeyFires(controls, frame)) toggleCraftingPanel(play.crafting);
    if (held(frame, key::I) && gateOpen(gate, frame)) {
        openInventoryScreen(play.itemScreen, controls.selectedSlot);
        holdJumpClock(player, frame.now);
        gateFired(gate, frame);
        out.request = PlayRequest::Inventory;
        events.add({EventKind::ScreenOpened});
    }
    if (held(frame, key::Escape) && gateOpen(gate, frame)) {
        holdJumpClock(player, frame.now);
        gateFired(gate, frame);
        out.request = PlayRequest::Pause;
    }
    return out;
}

void startPlayingWorld(const World& world, Play& play) {
    placePlayerInNewWorld(world, play.player);
    play.target = Target{};
    play.dig = DigState{};
    controlsForNewWorld(play.controls);
    resetCraftingCursor(play.crafting);
    play.day = DayClock{};
}

void resumeFromPause(Play& play, int32_t now) {
    resumeJumpClock(play.player, now);
    resetCraftingCursor(play.crafting);
}
