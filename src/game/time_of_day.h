// The time of day: DayTime and SubDayTime are stored with the world (0..239
// each; one DayTime step every 3.75 s, a whole day in 15 minutes), and
// TimeLuminance, the brightness the drawing applies to sky, fog and blocks,
// follows from DayTime: 1.0 at DayTime 0, 0.5625 at 120, back to 1.0 at 240.
#pragma once

#include <cstdint>

// (7 r + 9) / 16 with r = |dayTime - 120| / 120, kept within 0.5625 .. 1.
float luminanceAt(uint8_t dayTime);

// The brightness in force: set from the world's DayTime by refreshTimeLuminance.
float TimeLuminance();
void refreshTimeLuminance();

void resetTimeOfDay();
