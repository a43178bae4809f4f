// The process entry and the frame loop: settings, window, then one pass after
// the other (one window message, draw, update, count) until the quit message.
#pragma once

#include <cstdint>

// Runs the whole game; 0 after an orderly quit, -1 on any failure.
int runGame();

// Draws and presents one frame for the current Game state; < 0 (after
// telling the player) when there is no device or the scene cannot begin.
int drawFrame();
// One frame update for the current Game state, with a fresh list of events;
// < 0 on failure.
int frameUpdate();
// The same inside an update that is still under way (a long world operation's
// pump): the list of events the outer update is collecting is kept.
int nestedFrameUpdate();

// Counts one pass of the frame loop and samples the frames-per-second figure
// once a window of just over 999 ms has passed.
struct FpsCounter {
    int32_t windowStart = 0;
    int32_t frames = 0;
};
void countFrame(FpsCounter& counter);
