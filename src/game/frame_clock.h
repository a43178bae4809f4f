// The frame clock every rule reads: the time stamped at the start of each
// update, the time since the previous update, and the one 250 ms gate that all
// menu steps and state changes share so that a held key never fires twice
// across a change of screen.
#pragma once

#include <cstdint>

inline constexpr int32_t kActionGateMs = 250;

struct FrameClock {
    int32_t frameTime = 0;          // the clock read at the start of this update
    int32_t previousFrameTime = 0;  // stamped at the end of every update
    int32_t frameElapsed = 0;       // frameTime - previousFrameTime, worked out while playing
    int32_t lastActionTime = 0;     // when the last gated action fired
};

extern FrameClock frameClock;

void stampFrameTime(int32_t now);
void measureFrameElapsed();
void endFrameUpdate();

// The shared gate: an action may fire when 250 ms have passed since the last.
inline bool gateOpen() { return frameClock.frameTime >= frameClock.lastActionTime + kActionGateMs; }
// The same gate read with a shorter delay (crafting repeats every 150 ms).
inline bool gateOpenAfter(int32_t ms) { return frameClock.frameTime >= frameClock.lastActionTime + ms; }
void gateFired();

void resetFrameClock();
