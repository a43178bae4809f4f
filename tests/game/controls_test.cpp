// The controls while playing, through the real frame update: mouse look, the
// hotbar keys, the keys with clocks of their own, and the button latches.
#include <cmath>
#include <vector>

#include "app/game_state.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "platform/keys.h"
#include "playing_fixture.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

using PlayControls = PlayingTest;

TEST_F(PlayControls, MouseMotionTurnsTheCameraAndThePitchStopsAtAQuarterTurn) {
    frameAt(now + 10, {}, {750, 0, false, false});
    EXPECT_FLOAT_EQ(game.play.player.xzRotCamera, 1.0f);
    EXPECT_EQ(game.play.player.yRotCamera, 0.0f);
    frameAt(now + 10, {}, {-375, -375, false, false});  // moving the mouse forward looks up
    EXPECT_FLOAT_EQ(game.play.player.xzRotCamera, 0.5f);
    EXPECT_FLOAT_EQ(game.play.player.yRotCamera, 0.5f);
    frameAt(now + 10, {}, {0, -100000, false, false});
    EXPECT_EQ(game.play.player.yRotCamera, 1.5707964f);
    frameAt(now + 10, {}, {0, 3, false, false});  // back down from the limit at once
    EXPECT_LT(game.play.player.yRotCamera, 1.5707964f);
    frameAt(now + 10, {}, {0, 2000000, false, false});
    EXPECT_EQ(game.play.player.yRotCamera, -1.5707964f);
    // The motion is spent by the update.
    EXPECT_EQ(game.play.controls.mouseDeltaX, 0);
    EXPECT_EQ(game.play.controls.mouseDeltaY, 0);
    // The turn is the motion's, whatever the frame rate: the same 300 units in
    // one frame or in thirty.
    const float before = game.play.player.xzRotCamera;
    for (int i = 0; i < 30; ++i) frameAt(now + 1, {}, {10, 0, false, false});
    EXPECT_NEAR(game.play.player.xzRotCamera - before, 0.4f, 1e-5f);
}

TEST_F(PlayControls, EachSensitivityStepTurnsAQuarterFasterThanTheOneBelow) {
    options.mouseSensitivity = 11;
    frameAt(now + 10, {}, {600, 0, false, false});
    EXPECT_FLOAT_EQ(game.play.player.xzRotCamera, 1.0f);
    options.mouseSensitivity = 1;  // the slowest: 0.8 to the 9th of today's rate
    frameAt(now + 10, {}, {750, 0, false, false});
    EXPECT_NEAR(game.play.player.xzRotCamera - 1.0f, std::pow(0.8f, 9.0f), 1e-5f);
}

TEST_F(PlayControls, TheHighestHeldNumberChoosesTheHotbarCell) {
    frameAt(now + 10, {key::Digit1 + 2, key::Digit1 + 6});  // 3 and 7
    EXPECT_EQ(game.play.controls.selectedSlot, 6);
    frameAt(now + 1, {key::Digit9});
    EXPECT_EQ(game.play.controls.selectedSlot, 8);
    frameAt(now + 1, {});  // letting go keeps the cell
    EXPECT_EQ(game.play.controls.selectedSlot, 8);
    frameAt(now + 1, {key::Digit1, key::Digit0});  // 0 is no hotbar key
    EXPECT_EQ(game.play.controls.selectedSlot, 0);
}

TEST_F(PlayControls, HoldingF5StepsTheRenderDistanceEvery150ms) {
    std::vector<int> distances;
    for (int i = 0; i < 100; ++i) {  // one second of 10 ms frames
        frameAt(now + 10, {key::F5});
        if (distances.empty() || distances.back() != settings.RenderDistance)
            distances.push_back(settings.RenderDistance);
    }
    // Fired at 1010, 1160, ... 1910: seven steps.
    EXPECT_EQ(distances, (std::vector<int>{1, 2, 3, 4, 0, 1, 2}));
    frameAt(1910 + 149, {key::F5});
    EXPECT_EQ(settings.RenderDistance, 2);
    frameAt(1910 + 150, {key::F5});
    EXPECT_EQ(settings.RenderDistance, 3);
}

TEST_F(PlayControls, F5FromAFarViewComesBackToTheNearDistanceItLeft) {
    settings.RenderDistance = 3;
    options.farView = 150;
    frameAt(now + 10, {key::F5});
    EXPECT_EQ(options.farView, 0);
    EXPECT_EQ(settings.RenderDistance, 3);
    frameAt(now + 150, {key::F5});
    EXPECT_EQ(settings.RenderDistance, 4);
}

TEST_F(PlayControls, EF3AndRToggleOnClocksOfTheirOwn) {
    // E, F3 and R held together for 310 ms: each fires at 0, 150 and 300.
    const int32_t start = now + 10;
    frameAt(start, {key::E, key::F3, key::R});
    EXPECT_EQ(game.play.controls.hudVisible, 0);
    EXPECT_EQ(game.play.controls.debugInfoVisible, 1);
    EXPECT_EQ(game.play.crafting.open, 1);
    framesUntil(start + 310, 10, {key::E, key::F3, key::R});
    EXPECT_EQ(game.play.controls.hudVisible, 0);
    EXPECT_EQ(game.play.controls.debugInfoVisible, 1);
    EXPECT_EQ(game.play.crafting.open, 1);
    EXPECT_EQ(game.play.controls.hudClock, start + 300);
    // Each clock is its own: E again at once does not wait for F3's.
    frameAt(start + 460, {key::F3});
    frameAt(start + 470, {key::E});
    EXPECT_EQ(game.play.controls.debugInfoVisible, 0);
    EXPECT_EQ(game.play.controls.hudVisible, 1);
}

TEST_F(PlayControls, TheLeftButtonLatchesEveryFrameAndTheRightOnlyOnItsClock) {
    // The latches live within one update: read them as digging and placing
    // do, between taking the input and finishing the frame.
    Controls own;
    auto latchesAt = [&](int32_t t, bool left, bool right) {
        Frame frame;
        frame.now = t;
        frame.input.mouse.buttons[0] = left ? 0x80 : 0;
        frame.input.mouse.buttons[1] = right ? 0x80 : 0;
        takeMouseAndButtons(own, frame);
        const std::pair<int, int> latches{own.leftButtonLatch, own.rightButtonLatch};
        finishFrameControls(world, own, Player{});
        return latches;
    };
    EXPECT_EQ(latchesAt(1000, true, true), std::make_pair(1, 1));
    EXPECT_EQ(latchesAt(1010, true, true), std::make_pair(1, 0));
    EXPECT_EQ(latchesAt(1149, false, true), std::make_pair(0, 0));
    EXPECT_EQ(latchesAt(1150, false, true), std::make_pair(0, 1));
    EXPECT_EQ(latchesAt(1400, false, false), std::make_pair(0, 0));
    EXPECT_EQ(own.rightButtonClock, 1150);  // a release does not touch the clock
    EXPECT_EQ(latchesAt(1401, false, true), std::make_pair(0, 1));
}

TEST_F(PlayControls, KeysWithClocksDoNothingOutsidePlay) {
    game.gameState = GameState::Pause;
    frameAt(now + 300, {key::F5, key::E, key::F3, key::Digit1 + 4});
    EXPECT_EQ(settings.RenderDistance, 0);
    EXPECT_EQ(game.play.controls.hudVisible, 1);
    EXPECT_EQ(game.play.controls.debugInfoVisible, 0);
    EXPECT_EQ(game.play.controls.selectedSlot, 0);
}

}  // namespace
