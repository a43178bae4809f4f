// Keyboard and mouse snapshots: what the game sees of the key and mouse
// events that arrived between two reads.
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/sdl/input_state.h"

using sdlplat::InputState;

namespace {

InputState focusedInput() {
    InputState in;
    sdlplat::setFocus(in, true);
    return in;
}

uint8_t read(InputState& in, uint8_t code) {
    plat::KeyboardState k;
    sdlplat::readKeys(in, k);
    return k.keys[code];
}

}  // namespace

TEST(InputState, HeldKeysStayHeldUntilReleased) {
    InputState in = focusedInput();
    sdlplat::keyEvent(in, key::W, true);
    EXPECT_EQ(read(in, key::W), key::kHeld);
    EXPECT_EQ(read(in, key::W), key::kHeld);
    EXPECT_EQ(read(in, key::S), 0);
    sdlplat::keyEvent(in, key::W, false);
    EXPECT_EQ(read(in, key::W), 0);
}

TEST(InputState, ATapBetweenTwoReadsIsSeenOnce) {
    InputState in = focusedInput();
    sdlplat::keyEvent(in, key::Return, true);
    sdlplat::keyEvent(in, key::Return, false);
    EXPECT_EQ(read(in, key::Return), key::kHeld);
    EXPECT_EQ(read(in, key::Return), 0);
    // Auto-repeat of a held key is not a new tap.
    sdlplat::keyEvent(in, key::Up, true);
    EXPECT_EQ(read(in, key::Up), key::kHeld);
    sdlplat::keyEvent(in, key::Up, true);
    sdlplat::keyEvent(in, key::Up, false);
    EXPECT_EQ(read(in, key::Up), 0);
    // Keys without a code change nothing.
    sdlplat::keyEvent(in, 0, true);
    EXPECT_EQ(read(in, 0), 0);
}

TEST(InputState, LosingFocusReleasesEverything) {
    InputState in = focusedInput();
    sdlplat::keyEvent(in, key::W, true);
    sdlplat::buttonEvent(in, 0, true);
    sdlplat::motionEvent(in, 30, 0);
    sdlplat::setFocus(in, false);
    plat::KeyboardState k;
    sdlplat::readKeys(in, k);
    for (uint8_t b : k.keys) ASSERT_EQ(b, 0);
    plat::MouseState m;
    sdlplat::readMouseState(in, m);
    EXPECT_EQ(m.buttons[0], 0);
    EXPECT_EQ(m.dx, 0);
    // Coming back, the key let go elsewhere is not held any more.
    sdlplat::setFocus(in, true);
    EXPECT_EQ(read(in, key::W), 0);
}

TEST(InputState, MouseMotionAddsUpUntilReadAndButtonsLatchLikeKeys) {
    InputState in = focusedInput();
    sdlplat::motionEvent(in, 5, -2);
    sdlplat::motionEvent(in, 7, 1);
    sdlplat::buttonEvent(in, 1, true);
    sdlplat::buttonEvent(in, 1, false);
    sdlplat::buttonEvent(in, 0, true);
    sdlplat::buttonEvent(in, 2, true);  // middle button: not the game's
    plat::MouseState m;
    sdlplat::readMouseState(in, m);
    EXPECT_EQ(m.dx, 12);
    EXPECT_EQ(m.dy, -1);
    EXPECT_EQ(m.buttons[0], key::kHeld);
    EXPECT_EQ(m.buttons[1], key::kHeld);  // the click shorter than a frame
    sdlplat::readMouseState(in, m);
    EXPECT_EQ(m.dx, 0);
    EXPECT_EQ(m.dy, 0);
    EXPECT_EQ(m.buttons[0], key::kHeld);
    EXPECT_EQ(m.buttons[1], 0);
}
