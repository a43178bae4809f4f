// One frame as the rules see it: the clock read once at the start of the
// update, the time since the previous update, and the keyboard and mouse
// snapshots taken with it. The app makes one per update and hands it down;
// no rule reads the clock or the devices itself. Also the one 250 ms gate
// that every menu step and change of screen shares, so that a held key never
// fires twice across a change of screen.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr int32_t kActionGateMs = 250;

struct InputSnapshot {
    plat::KeyboardState keyboard{};
    plat::MouseState mouse{};
};

struct Frame {
    int32_t now = 0;      // the clock read at the start of this update
    int32_t elapsed = 0;  // now - the previous update's now
    InputSnapshot input{};
};

// This frame's devices; one that cannot be read gives no keys and no motion.
InputSnapshot readInputDevices();

inline bool held(const Frame& f, uint8_t scanCode) {
    return (f.input.keyboard.keys[scanCode] & 0x80) != 0;
}
// 0 = left, 1 = right.
inline bool buttonDown(const Frame& f, int button) {
    return f.input.mouse.buttons[button] != 0;
}

struct ActionGate {
    int32_t lastActionTime = 0;  // when the last gated action fired
};

// An action may fire once 250 ms (or `ms`, for crafting's quicker repeat)
// have passed since the last one; firing closes the gate for that long.
inline bool gateOpen(const ActionGate& g, const Frame& f, int32_t ms = kActionGateMs) {
    return f.now >= g.lastActionTime + ms;
}
inline void gateFired(ActionGate& g, const Frame& f) {
    g.lastActionTime = f.now;
}
