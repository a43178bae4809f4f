#include "game/time_of_day.h"

#include <cmath>

#include "world/world.h"

namespace {

struct DayClock {
    float TimeLuminance = 1.0f;
};
DayClock dayClock;

}  // namespace

float luminanceAt(uint8_t dayTime) {
    // The distance from midnight, taken as the root of its square as the day
    // has always been measured.
    const double d = std::sqrt(double(int(dayTime) - 120) * double(int(dayTime) - 120));
    const float r = float(d / 120.0);
    if (r > 1.0f) return 1.0f;
    if (r < 0.0f) return 0.5625f;
    return (7.0f * r + 9.0f) * 0.0625f;
}

float TimeLuminance() { return dayClock.TimeLuminance; }

void refreshTimeLuminance() { dayClock.TimeLuminance = luminanceAt(world.DayTime); }

void resetTimeOfDay() { dayClock = DayClock{}; }
