// The time of day: DayTime and SubDayTime are stored with the world (0..239
// each; 240 SubDayTime steps make one DayTime step of 3.75 s, so a whole day
// lasts 15 minutes), and TimeLuminance, the brightness the drawing applies to
// sky, fog and blocks, follows from DayTime: 1.0 at DayTime 0, 0.5625 at 120,
// back towards 1.0 at 239. Play keeps the part of a SubDayTime step not yet
// counted.
#pragma once

#include <cstdint>
#include "world/world.h"

inline constexpr int32_t kDayStepMs = 3750;  // one DayTime step
inline constexpr int kDaySteps = 240;        // DayTime values, and SubDayTime steps per DayTime

// Elapsed time not yet turned into SubDayTime steps, in 1/240 ms: one
// SubDayTime step is kDayStepMs of these.
struct DayClock {
    int32_t carried = 0;
};

// (7 r + 9) / 16 with r = |dayTime - 120| / 120, kept within 0.5625 .. 1.
float luminanceAt(uint8_t dayTime);

// Moves the world's clock on by a frame of `elapsedMs`. A frame's share of a
// SubDayTime step that does not make a whole step is carried into the next
// frame, so the day keeps its length at any frame rate; a frame of negative
// length (a clock that went back) adds nothing.
void advanceTimeOfDay(World& world, DayClock& day, int32_t elapsedMs);

// The brightness of the world's time of day.
float TimeLuminance(const World& world);
