#include "game/controls.h"

#include "platform/keys.h"
#include "world/collision.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

// A key's own clock: it fires once the frame time is 150 ms past its last
// firing, and firing restarts it.
bool repeatClockFires(int32_t& clock, const Frame& frame) {
    if (frame.now < clock + kKeyRepeatMs) return false;
    clock = frame.now;
    return true;
}

bool keyFires(const Frame& frame, uint8_t key, int32_t& clock) {
    return held(frame, key) && repeatClockFires(clock, frame);
}

}  // namespace

void takeMouseAndButtons(Controls& controls, const Frame& frame) {
    // The cursor is not put back at the window's centre: while playing the
    // platform's relative mouse mode gives unbounded motion.
    controls.mouseDeltaX = frame.input.mouse.dx;
    controls.mouseDeltaY = frame.input.mouse.dy;
    if (buttonDown(frame, 0) && !controls.leftButtonLatch) controls.leftButtonLatch = 1;
    if (buttonDown(frame, 1) && !controls.rightButtonLatch &&
        repeatClockFires(controls.rightButtonClock, frame))
        controls.rightButtonLatch = 1;
}

void selectHotbarCell(Controls& controls, const Frame& frame) {
    for (int k = 0; k < 9; ++k)
        if (held(frame, uint8_t(key::Digit1 + k))) controls.selectedSlot = uint8_t(k);
}

void renderDistanceKey(Controls& controls, const Frame& frame, Options& options,
                       Settings& settings) {
    // The renderer sees the new distance and rebuilds what depends on it. F5
    // steps through the five near distances; from a far view chosen in the
    // options it comes back to the near one it left.
    if (!keyFires(frame, key::F5, controls.renderDistanceClock)) return;
    if (options.farView > 0)
        options.farView = 0;
    else
        stepRenderDistance(settings);
}

void displayToggleKeys(Controls& controls, const Frame& frame) {
    if (keyFires(frame, key::E, controls.hudClock))
        controls.hudVisible = controls.hudVisible ? 0 : 1;
    if (keyFires(frame, key::F3, controls.debugClock))
        controls.debugInfoVisible = controls.debugInfoVisible ? 0 : 1;
}

bool craftingPanelKeyFires(Controls& controls, const Frame& frame) {
    return keyFires(frame, key::R, controls.craftingClock);
}

void finishFrameControls(const World& world, Controls& controls, const Player& player) {
    controls.mouseDeltaX = controls.mouseDeltaY = 0;
    controls.leftButtonLatch = controls.rightButtonLatch = 0;
    controls.Collide = bodyCollides(world, player.Position) ? 1 : 0;
}

void controlsForNewWorld(Controls& controls) {
    controls.selectedSlot = 0;
    controls.hudVisible = 1;
}
