#include "game/controls.h"

#include "game/frame_clock.h"
#include "game/input.h"
#include "game/player.h"
#include "platform/keys.h"
#include "world/collision.h"
#include "world/settings.h"

Controls controls;

namespace {

// A key's own clock: it fires once the frame time is 150 ms past its last
// firing, and firing restarts it.
bool repeatClockFires(int32_t& clock) {
    if (frameClock.frameTime < clock + kKeyRepeatMs) return false;
    clock = frameClock.frameTime;
    return true;
}

bool keyFires(uint8_t key, int32_t& clock) {
    return held(key) && repeatClockFires(clock);
}

}  // namespace

void takeMouseAndButtons() {
    // The cursor is not put back at the window's centre: while playing the
    // platform's relative mouse mode gives unbounded motion.
    controls.mouseDeltaX = inputSnapshot.mouse.dx;
    controls.mouseDeltaY = inputSnapshot.mouse.dy;
    if (buttonDown(0) && !controls.leftButtonLatch) controls.leftButtonLatch = 1;
    if (buttonDown(1) && !controls.rightButtonLatch && repeatClockFires(controls.rightButtonClock))
        controls.rightButtonLatch = 1;
}

void selectHotbarCell() {
    for (int k = 0; k < 9; ++k)
        if (held(uint8_t(key::Digit1 + k))) controls.selectedSlot = uint8_t(k);
}

void renderDistanceKey() {
    // The renderer sees the new distance and rebuilds what depends on it.
    if (keyFires(key::F5, controls.renderDistanceClock)) stepRenderDistance();
}

void displayToggleKeys() {
    if (keyFires(key::E, controls.hudClock)) controls.hudVisible = controls.hudVisible ? 0 : 1;
    if (keyFires(key::F3, controls.debugClock))
        controls.debugInfoVisible = controls.debugInfoVisible ? 0 : 1;
}

bool craftingPanelKeyFires() {
    return keyFires(key::R, controls.craftingClock);
}

void finishFrameControls() {
    controls.mouseDeltaX = controls.mouseDeltaY = 0;
    controls.leftButtonLatch = controls.rightButtonLatch = 0;
    controls.Collide = bodyCollides(player.Position) ? 1 : 0;
}

void controlsForNewWorld() {
    controls.selectedSlot = 0;
    controls.hudVisible = 1;
}

void resetControls() {
    controls = Controls{};
}
