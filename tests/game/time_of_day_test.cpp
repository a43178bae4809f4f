// The time of day: one DayTime step every 3.75 s at any frame rate, the
// wrap at the end of the day, and the brightness that follows from it.
#include <cstdint>

#include "game/time_of_day.h"
#include "test_support.h"
#include "world/world.h"

namespace {

class TimeOfDay : public GameTest {
   protected:
    DayClock day;
};

// Plays `seconds` of frames at `fps` from a world at DayTime 180, the frame
// times read from a millisecond clock as the game reads them.
void playAt(World& world, DayClock& day, int fps, int seconds) {
    int64_t previous = 0;
    for (int64_t i = 1; i <= int64_t(fps) * seconds; ++i) {
        const int64_t now = i * 1000 / fps;
        advanceTimeOfDay(world, day, int32_t(now - previous));
        previous = now;
    }
}

TEST_F(TimeOfDay, ADayStepTakesThreeAndThreeQuarterSecondsAtAnyFrameRate) {
    for (int fps : {1000, 144, 60, 20}) {
        world = World{};
        day = DayClock{};
        playAt(world, day, fps, 15);  // four steps
        EXPECT_EQ(world.DayTime, 184) << fps << " fps";
        EXPECT_EQ(world.SubDayTime, 0) << fps << " fps";
        playAt(world, day, fps, 885);  // the rest of a fifteen-minute day
        EXPECT_EQ(world.DayTime, 180) << fps << " fps";
        EXPECT_EQ(world.SubDayTime, 0) << fps << " fps";
    }
}

TEST_F(TimeOfDay, ShortFramesAddUpInsteadOfBeingLost) {
    advanceTimeOfDay(world, day, 15);  // less than one fine step of 15.625 ms...
    EXPECT_EQ(world.SubDayTime, 0);
    advanceTimeOfDay(world, day, 1);  // ... and with the next millisecond, one
    EXPECT_EQ(world.SubDayTime, 1);
    for (int i = 0; i < 16; ++i) advanceTimeOfDay(world, day, 1);
    EXPECT_EQ(world.SubDayTime, 2);  // 32 ms of 1 ms frames: two steps
    advanceTimeOfDay(world, day, 0);
    advanceTimeOfDay(world, day, -40);  // a clock that went back adds nothing
    EXPECT_EQ(world.SubDayTime, 2);
    EXPECT_EQ(world.DayTime, 180);
}

TEST_F(TimeOfDay, LongFramesAddWholeStepsAndWrapAtTheEndOfTheDay) {
    advanceTimeOfDay(world, day, 3750);
    EXPECT_EQ(world.DayTime, 181);
    EXPECT_EQ(world.SubDayTime, 0);
    advanceTimeOfDay(world, day, 7500);
    EXPECT_EQ(world.DayTime, 183);
    EXPECT_EQ(world.SubDayTime, 0);

    world.DayTime = 239;
    world.SubDayTime = 239;
    advanceTimeOfDay(world, day, 16);
    EXPECT_EQ(world.DayTime, 0);
    EXPECT_EQ(world.SubDayTime, 0);

    // A frame of days (a machine woken from sleep) neither overflows nor
    // loops for long: 2^31 - 1 ms is 2386 days, 22 steps, 73 fine steps and
    // 1530/3750 of one more.
    world.DayTime = 0;
    world.SubDayTime = 0;
    day = DayClock{};  // nothing carried from the frames above
    advanceTimeOfDay(world, day, INT32_MAX);
    EXPECT_EQ(world.DayTime, 22);
    EXPECT_EQ(world.SubDayTime, 73);
    advanceTimeOfDay(world, day, 9);  // 1530 + 9 x 240 is not yet a step...
    EXPECT_EQ(world.SubDayTime, 73);
    advanceTimeOfDay(world, day, 1);  // ... one more millisecond is
    EXPECT_EQ(world.SubDayTime, 74);
}

TEST_F(TimeOfDay, ANewWorldStartsWithNothingCarriedAndItsOwnBrightness) {
    advanceTimeOfDay(world, day, 15);
    world.DayTime = 120;
    world.SubDayTime = 0;
    day = DayClock{};  // as a new world starts
    EXPECT_EQ(TimeLuminance(world), 0.5625f);
    advanceTimeOfDay(world, day, 1);
    EXPECT_EQ(world.SubDayTime, 0);
}

TEST_F(TimeOfDay, BrightnessFallsToNineSixteenthsAtDayTime120) {
    EXPECT_EQ(luminanceAt(0), 1.0f);
    EXPECT_EQ(luminanceAt(120), 0.5625f);
    EXPECT_EQ(luminanceAt(180), 0.78125f);
    EXPECT_FLOAT_EQ(luminanceAt(1), 0.5625f + 7.0f / 16.0f * 119.0f / 120.0f);
    EXPECT_EQ(luminanceAt(239), luminanceAt(1));
    // Out-of-range values from a damaged file stay within the range.
    EXPECT_EQ(luminanceAt(250), 1.0f);
    // Every frame's step keeps the brightness in step with DayTime.
    world.DayTime = 119;
    world.SubDayTime = 239;
    advanceTimeOfDay(world, day, 16);
    EXPECT_EQ(TimeLuminance(world), 0.5625f);
}

}  // namespace
