#include "platform/sdl/input_state.h"

#include <cstring>

#include "platform/keys.h"

namespace sdlplat {

void keyEvent(InputState& in, uint8_t code, bool down) {
    if (code == 0) return;
    if (down && !in.held[code]) in.tapped[code] = true;
    in.held[code] = down;
}

void buttonEvent(InputState& in, int button, bool down) {
    if (button < 0 || button > 1) return;
    if (down && !in.buttonHeld[button]) in.buttonTapped[button] = true;
    in.buttonHeld[button] = down;
}

void motionEvent(InputState& in, int32_t dx, int32_t dy) {
    in.dx += dx;
    in.dy += dy;
}

void setFocus(InputState& in, bool focused) {
    in.focused = focused;
    if (focused) return;
    std::memset(in.held, 0, sizeof in.held);
    std::memset(in.tapped, 0, sizeof in.tapped);
    in.buttonHeld[0] = in.buttonHeld[1] = false;
    in.buttonTapped[0] = in.buttonTapped[1] = false;
    in.dx = in.dy = 0;
}

void readKeys(InputState& in, plat::KeyboardState& out) {
    for (int i = 0; i < 256; ++i)
        out.keys[i] = in.focused && (in.held[i] || in.tapped[i]) ? key::kHeld : 0;
    std::memset(in.tapped, 0, sizeof in.tapped);
}

void readMouseState(InputState& in, plat::MouseState& out) {
    out.dx = in.focused ? in.dx : 0;
    out.dy = in.focused ? in.dy : 0;
    for (int b = 0; b < 2; ++b) {
        out.buttons[b] = in.focused && (in.buttonHeld[b] || in.buttonTapped[b]) ? key::kHeld : 0;
        in.buttonTapped[b] = false;
    }
    in.dx = in.dy = 0;
}

}  // namespace sdlplat
