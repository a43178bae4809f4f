#include "game/time_of_day.h"

#include <cmath>

#include "world/world.h"

float luminanceAt(uint8_t dayTime) {
    // The distance from midnight, taken as the root of its square as the day
    // has always been measured.
    const double d = std::sqrt(double(int(dayTime) - 120) * double(int(dayTime) - 120));
    const float r = float(d / 120.0);
    if (r > 1.0f) return 1.0f;
    if (r < 0.0f) return 0.5625f;
    return (7.0f * r + 9.0f) * 0.0625f;
}

void advanceTimeOfDay(World& world, DayClock& dayClock, int32_t elapsedMs) {
    // 240 SubDayTime steps per 3750 ms: a step every 15.625 ms. Counting the
    // time in 1/240 ms keeps the division exact, and 64 bits keep a frame of
    // hours (a machine woken from sleep) from overflowing.
    const int64_t total = int64_t(elapsedMs > 0 ? elapsedMs : 0) * kDaySteps + dayClock.carried;
    dayClock.carried = int32_t(total % kDayStepMs);
    int64_t n = total / kDayStepMs + world.SubDayTime;
    // Whole days change nothing; a frame of hours does not loop here hours long.
    const int64_t dayInSteps = int64_t(kDaySteps) * kDaySteps;
    n = n % dayInSteps;
    for (int64_t k = n / kDaySteps; k > 0; --k)
        world.DayTime = world.DayTime == kDaySteps - 1 ? 0 : uint8_t(world.DayTime + 1);
    world.SubDayTime = uint8_t(n % kDaySteps);
}

float TimeLuminance(const World& world) {
    return luminanceAt(world.DayTime);
}
