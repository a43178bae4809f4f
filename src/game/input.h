// This frame's keyboard and mouse snapshots, taken once at the start of every
// update in every state; the rules read keys by scan code from here.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct InputSnapshot {
    plat::KeyboardState keyboard{};
    plat::MouseState mouse{};
};

extern InputSnapshot inputSnapshot;

// A device that cannot be read gives no keys and no motion this frame.
void readInputDevices();

inline bool held(uint8_t scanCode) { return (inputSnapshot.keyboard.keys[scanCode] & 0x80) != 0; }
// 0 = left, 1 = right.
inline bool buttonDown(int button) { return inputSnapshot.mouse.buttons[button] != 0; }

void resetInput();
