// Keyboard and mouse as the game reads them: per-frame snapshots built from
// the window's key, button and motion events.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace sdlplat {

struct InputState {
    bool focused = false;
    bool held[256] = {};
    // Pressed since the last read: a tap shorter than one frame still reaches
    // the game, once.
    bool tapped[256] = {};
    bool buttonHeld[2] = {};
    bool buttonTapped[2] = {};
    int32_t dx = 0, dy = 0;
};

// `code` is a DirectInput scan code; 0 (no such key) is ignored.
void keyEvent(InputState& in, uint8_t code, bool down);
// button 0 = left, 1 = right; others are ignored.
void buttonEvent(InputState& in, int button, bool down);
void motionEvent(InputState& in, int32_t dx, int32_t dy);
// Without focus the game sees nothing held: keys let go in another window
// would otherwise stay down for good.
void setFocus(InputState& in, bool focused);

// The snapshots; each read consumes the taps (and the motion) it reports.
void readKeys(InputState& in, plat::KeyboardState& out);
void readMouseState(InputState& in, plat::MouseState& out);

}  // namespace sdlplat
