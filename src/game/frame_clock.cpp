#include "game/frame_clock.h"

FrameClock frameClock;

void stampFrameTime(int32_t now) { frameClock.frameTime = now; }
void measureFrameElapsed() { frameClock.frameElapsed = frameClock.frameTime - frameClock.previousFrameTime; }
void endFrameUpdate() { frameClock.previousFrameTime = frameClock.frameTime; }
void gateFired() { frameClock.lastActionTime = frameClock.frameTime; }
void resetFrameClock() { frameClock = FrameClock{}; }
