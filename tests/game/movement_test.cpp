// Walking, jumping, falling, landing, head bumps and death, through the real
// frame update.
#include <cmath>

#include "app/game_state.h"
#include "game/controls.h"
#include "game/movement.h"
#include "platform/keys.h"
#include "playing_fixture.h"
#include "world/world.h"

namespace {

using Movement = PlayingTest;
constexpr float kQuarterTurn = 1.5707964f;

TEST_F(Movement, WalkingCoversAboutFourAndAHalfBlocksASecondAndRunningSix) {
    standOnFloor(500.0f, 490.0f);
    framesUntil(now + 1000, 10, {key::W});
    EXPECT_EQ(game.play.player.moveSpeed, 11);  // 10 ms x 1.1
    EXPECT_NEAR(game.play.player.Position.z, 494.4f, 1e-3);
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    framesUntil(now + 1000, 10, {key::S, key::Q});
    EXPECT_EQ(game.play.player.moveSpeed, 15);
    EXPECT_NEAR(game.play.player.Position.z, 488.4f, 1e-3);
    // Facing +x a quarter turn round, D steps towards -z.
    game.play.player.xzRotCamera = kQuarterTurn;
    framesUntil(now + 500, 10, {key::W, key::D});
    EXPECT_NEAR(game.play.player.Position.x, 501.0f, 2e-3);  // 50 frames of 5 x 0.004
    EXPECT_NEAR(game.play.player.Position.z, 487.4f, 2e-3);
    EXPECT_EQ(game.play.player.Position.y, kStandingEye);
}

TEST_F(Movement, OppositeKeysCancelAndShortFramesMoveByTheTruncatedSpeed) {
    standOnFloor();
    frameAt(now + 10, {key::W, key::S, key::A, key::D});
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    frameAt(now, {key::W});  // a frame of 0 ms
    EXPECT_EQ(game.play.player.moveSpeed, 0);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    frameAt(now + 1, {key::W});  // 1 ms: speed value 1, 0.004 blocks
    EXPECT_EQ(game.play.player.moveSpeed, 1);
    EXPECT_EQ(game.play.player.Position.z, float(500.0 + 0.004));
    frameAt(now + 1, {key::W, key::A});  // diagonally half of 1 is nothing
    EXPECT_EQ(game.play.player.moveSpeed, 0);
    EXPECT_EQ(game.play.player.Position.z, float(500.0 + 0.004));
}

TEST_F(Movement, DiagonalWalkingHalvesTheSpeedValueOnEachDirection) {
    standOnFloor();
    frameAt(now + 13, {key::W, key::A});  // 14.3 -> 14, halved to 7
    EXPECT_EQ(game.play.player.moveSpeed, 7);
    EXPECT_EQ(game.play.player.Position.z, float(500.0 + 0.028));
    EXPECT_EQ(game.play.player.Position.x, float(500.0 - 0.028));
}

TEST_F(Movement, ABlockedStepIsCutToTheLargestFreeFraction) {
    standOnFloor(501.0f, 500.0f);
    for (int y = 101; y <= 103; ++y)
        for (int z = BlockScene::kLow; z <= BlockScene::kHigh; ++z) scene.put(502, y, z);
    game.play.player.xzRotCamera = kQuarterTurn;  // facing +x, the wall's face at 501.5
    // 30 ms: a step of 0.132 would end at 501.132; half of it, 501.066, is free.
    frameAt(now + 30, {key::W});
    const double step = std::sin(double(kQuarterTurn)) * 0.004 * 33;
    EXPECT_EQ(game.play.player.Position.x, float(501.0 + step / 2));
    // Up against the face even a twentieth of a step is blocked: no step.
    game.play.player.Position.x = 501.1f;
    frameAt(now + 30, {key::W});
    EXPECT_EQ(game.play.player.Position.x, 501.1f);
}

TEST_F(Movement, WalkingIntoAWallAtAnAngleSlidesAlongIt) {
    standOnFloor(501.0f, 490.0f);
    for (int y = 101; y <= 103; ++y)
        for (int z = BlockScene::kLow; z <= BlockScene::kHigh; ++z) scene.put(502, y, z);
    game.play.player.xzRotCamera = kQuarterTurn / 2;  // towards +x and +z alike
    framesUntil(now + 1000, 10, {key::W});
    EXPECT_LE(game.play.player.Position.x, 501.1f);  // held at the wall...
    EXPECT_GT(game.play.player.Position.x, 501.09f);
    // ... while the whole share along it goes on: 100 x 0.044 x cos 45 degrees.
    EXPECT_NEAR(game.play.player.Position.z, 490.0f + 4.4f * std::cos(kQuarterTurn / 2), 5e-3);
}

TEST_F(Movement, AJumpRisesOnePointTwoInAQuarterSecondThenFallsFromOnePointOne) {
    standOnFloor();
    // Standing lands in every other update; the jump starts in one that begins
    // a new fall.
    frameAt(now + 10, {key::Space});
    if (!game.play.player.rising) frameAt(now + 10, {key::Space});
    ASSERT_TRUE(game.play.player.rising);
    const int32_t start = game.play.player.airStartTime;
    EXPECT_EQ(start, now);
    frameAt(start + 100);  // letting go of Space changes nothing now
    EXPECT_EQ(game.play.player.Position.y, kStandingEye + float(1.2 * std::sqrt(0.4)));
    frameAt(start + 249);
    EXPECT_EQ(game.play.player.Position.y, kStandingEye + float(1.2 * std::sqrt(0.996)));
    frameAt(start + 250);
    EXPECT_FALSE(game.play.player.rising);
    EXPECT_EQ(game.play.player.Position.y, float(double(kStandingEye) + 1.1));
    // From there it falls like any fall, and lands back where it started.
    frameAt(start + 375);
    EXPECT_EQ(game.play.player.Position.y, float(double(kStandingEye) + 1.1) - 0.3f);
    framesUntil(now + 500, 10);
    EXPECT_EQ(game.play.player.Position.y, kStandingEye);
}

TEST_F(Movement, AFallDropsNineteenPointTwoBlocksTimesSecondsSquared) {
    game.play.player.Position = Vec3{500.0f, 150.0f, 500.0f};
    frameAt(now + 10);  // the fall starts
    const int32_t start = now;
    frameAt(start + 500);
    EXPECT_EQ(game.play.player.Position.y, 150.0f - 4.8f);
    frameAt(start + 1000);
    EXPECT_EQ(game.play.player.Position.y, 150.0f - 19.2f);
    EXPECT_TRUE(game.play.player.airborne);
}

// Fast falls at low frame rates used to pass through a floor one block thick.
TEST_F(Movement, LandingPutsTheFeetOnTheBlockBelowWhateverTheFrameRate) {
    scene.layer(100, BlockScene::kLow, BlockScene::kHigh);
    for (int step : {1, 16, 100, 700}) {
        game.play.player.Position = Vec3{500.0f, 160.7f, 500.0f};
        game.play.player.airborne = false;
        framesUntil(now + 4000, step);
        // Standing is a fall that lands again at once: at high frame rates
        // the eye sinks less than its 0.001 margin before it does.
        EXPECT_NEAR(game.play.player.Position.y, 102.0005f, 0.0006f) << step << " ms frames";
    }
    // Nor does a floor under a long drop stop the fall before it is reached.
    game.play.player.Position = Vec3{500.0f, 180.0f, 500.0f};
    game.play.player.airborne = false;
    scene.put(500, 150, 510);        // beside the path, not under it
    framesUntil(now + 2800, 700);    // the last frame ends at 95.3, under the floor
    // Stepped down block by block from 142.001: a float a few ulps off 102.001.
    EXPECT_NEAR(game.play.player.Position.y, kStandingEye, 1e-4f);
}

TEST_F(Movement, AHeadBumpStopsTheJumpAndBlocksOnlyTheNextOne) {
    standOnFloor();
    scene.layer(103, BlockScene::kLow, BlockScene::kHigh);  // a gap two blocks high
    frameAt(now + 10, {key::Space});
    if (!game.play.player.rising) frameAt(now + 10, {key::Space});
    ASSERT_TRUE(game.play.player.rising);
    while (game.play.player.rising) frameAt(now + 10, {key::Space});
    // Back under the ceiling: the head at 102.451, below its face at 102.5.
    EXPECT_EQ(game.play.player.Position.y, float(102.0 + 0.101));
    EXPECT_FALSE(game.play.player.canJump);
    frameAt(now + 10, {key::Space});
    EXPECT_FALSE(game.play.player.rising);  // this update may not jump...
    EXPECT_TRUE(game.play.player.canJump);  // ... the ones after it may again, once landed
    bool jumpedAgain = false;
    for (int i = 0; i < 30 && !jumpedAgain; ++i) {
        frameAt(now + 10, {key::Space});
        jumpedAgain = game.play.player.rising;
    }
    EXPECT_TRUE(jumpedAgain);
}

TEST_F(Movement, FallingThroughTheBottomOfTheWorldIsDeath) {
    game.play.player.Position = Vec3{500.0f, 5.0f, 500.0f};  // an empty column
    framesUntil(now + 2300, 10);
    EXPECT_EQ(game.gameState, GameState::Playing);  // 5 - 19.2 x 2.3^2 = -96.6
    framesUntil(now + 100, 10);
    EXPECT_EQ(game.gameState, GameState::Dead);
    EXPECT_LE(game.play.player.Position.y, kDeathHeight);
    EXPECT_FALSE(game.play.player.airborne);
    EXPECT_FALSE(game.play.player.rising);
}

TEST_F(Movement, RespawnPutsTheEyeFiveAboveTheCentreColumnsTopAndTheFallLandsOnIt) {
    scene.put(500, 100, 500);
    scene.put(500, 40, 500);
    game.gameState = GameState::Dead;
    game.play.player.xzRotCamera = 3.0f;
    game.play.player.yRotCamera = 1.0f;
    frameAt(now + 300, {key::Return});
    ASSERT_EQ(game.gameState, GameState::Playing);
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    EXPECT_EQ(game.play.player.Position.y, 105.0f);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    EXPECT_EQ(game.play.player.xzRotCamera, 0.0f);
    EXPECT_EQ(game.play.player.yRotCamera, 0.0f);
    framesUntil(now + 1000, 16);
    EXPECT_EQ(game.play.player.Position.y, kStandingEye);
}

TEST_F(Movement, TimeInPauseDoesNotCountTowardsAFall) {
    game.play.player.Position = Vec3{500.0f, 150.0f, 500.0f};
    frameAt(now + 10);
    const int32_t start = now;
    frameAt(start + 250, {key::Escape});
    ASSERT_EQ(game.gameState, GameState::Pause);
    frameAt(start + 60000);
    frameAt(start + 60300, {key::Return});  // Continue
    ASSERT_EQ(game.gameState, GameState::Playing);
    frameAt(start + 60550);  // 500 ms of falling in all
    EXPECT_EQ(game.play.player.Position.y, 150.0f - 4.8f);
}

TEST_F(Movement, ABodyInsideABlockIsReportedForTheDebugLines) {
    standOnFloor();
    EXPECT_EQ(game.play.controls.Collide, 0);
    scene.put(500, 102, 500);
    frameAt(now + 10);
    EXPECT_EQ(game.play.controls.Collide, 1);
}

}  // namespace
