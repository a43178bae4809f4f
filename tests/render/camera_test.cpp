// The camera: fog and sky colours by daylight, the culling frustum's reach and
// corner test, straight-up views, and a new render distance taking effect in
// the next frame whoever changed it.
#include <cmath>

#include "app/game_state.h"
#include "game/player.h"
#include "game/time_of_day.h"
#include "render/camera.h"
#include "render/render_state.h"
#include "render_fixture.h"
#include "ui/screen_common.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

using CameraTest = RenderTest;

TEST_F(CameraTest, FogAndSkyColoursAtNoonAndDeepestNight) {
    EXPECT_EQ(fogColourAt(1.0f), 0x4B7DF5u);
    EXPECT_EQ(skyColour(1.0f), 0xFF4B7DF5u);
    // The blue channels differ: 2.2 for the fog, 2.25 for the sky.
    EXPECT_EQ(fogColourAt(0.5625f), uint32_t(19 << 16 | 31 << 8 | 69));
    EXPECT_EQ(skyColour(0.5625f), 0xFF000000u | 19 << 16 | 31 << 8 | 67);
}

TEST_F(CameraTest, ProjectionAndFogFollowTheRenderDistanceInTheNextFrame) {
    placeEye(500.5f, 100.5f, 500.5f, 0.0f, 0.0f);
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_EQ(renderer.camera.farDistance, 20.0f);
    EXPECT_EQ(headless::currentFrame().projection.m[0], renderer.camera.drawProjection.m[0]);
    // A block 19 ahead is inside the 20-unit culling frustum, 21 ahead is not.
    EXPECT_TRUE(blockInFrustum(renderer, 500, 100, 519));
    EXPECT_FALSE(blockInFrustum(renderer, 500, 100, 522));
    // The render-distance key changes the setting only: the camera notices.
    settings.RenderDistance = 2;
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_EQ(renderer.camera.farDistance, 40.0f);
    EXPECT_EQ(renderer.camera.fog.start, 20.0f);
    EXPECT_EQ(renderer.camera.fog.end, 38.0f);
    EXPECT_FLOAT_EQ(renderer.camera.fogDensity, 0.1f);
    EXPECT_TRUE(blockInFrustum(renderer, 500, 100, 522));
    // The options menu's flag still works; the fog takes the world's time of
    // day in the very frame it changes.
    world.DayTime = 120;
    renderer.camera.projectionDirty = 1;
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_EQ(renderer.camera.projectionDirty, 0);
    EXPECT_EQ(renderer.camera.fog.rgb, fogColourAt(0.5625f));
}

TEST_F(CameraTest, AWiderWindowShowsMoreToTheSidesAndTheOptionsSetAngleAndReach) {
    placeEye(500.5f, 100.5f, 500.5f, 0.0f, 0.0f);
    updateCamera(renderer, world, options, settings, game.play.player);
    const plat::Matrix narrow = renderer.camera.drawProjection;
    // 10 ahead and 15 to the side: past the 4:3 culling frustum's edge.
    EXPECT_FALSE(blockInFrustum(renderer, 516, 100, 510));
    headless::setViewSize(1920, 1080);
    updateCamera(renderer, world, options, settings, game.play.player);
    const plat::Matrix wide = renderer.camera.drawProjection;
    EXPECT_EQ(wide.m[5], narrow.m[5]);  // the same vertical angle
    EXPECT_FLOAT_EQ(wide.m[0], narrow.m[0] * (4.0f / 3.0f) / (16.0f / 9.0f));
    EXPECT_TRUE(blockInFrustum(renderer, 516, 100, 510));
    EXPECT_EQ(headless::currentFrame().projection.m[0], wide.m[0]);

    options.fieldOfView = 90;
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_FLOAT_EQ(renderer.camera.drawProjection.m[5], 1.0f);  // 1 / tan(45 degrees)
    options.farView = 160;
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_EQ(renderer.camera.farDistance, 160.0f);
    EXPECT_EQ(renderer.camera.fog.end, 158.0f);
    EXPECT_EQ(viewRadius(options, settings), 160);
}

TEST_F(CameraTest, LookingStraightUpOrDownStillGivesAView) {
    for (float pitch : {1.5707964f, -1.5707964f}) {
        placeEye(500.5f, 100.5f, 500.5f, 0.3f, pitch);
        updateCamera(renderer, world, options, settings, game.play.player);
        for (float v : renderer.camera.viewMatrix.m) EXPECT_TRUE(std::isfinite(v));
        // The block straight along the look direction is in view.
        EXPECT_TRUE(blockInFrustum(renderer, 500, pitch > 0 ? 105 : 96, 500));
        EXPECT_FALSE(blockInFrustum(renderer, 500, pitch > 0 ? 96 : 105, 500));
    }
}

TEST_F(CameraTest, OnlyCornersCount) {
    placeEye(500.0f, 100.3f, 500.0f, 0.0f, 0.0f);
    updateCamera(renderer, world, options, settings, game.play.player);
    // The block the eye stands in has corners just ahead of it.
    EXPECT_TRUE(blockInFrustum(renderer, 500, 100, 500));
    EXPECT_FALSE(blockInFrustum(renderer, 500, 100, 498));  // behind the eye
    // Centred in its block and close to its front, the eye sees the frustum
    // pass through the block without any corner inside: the block is out.
    placeEye(500.0f, 100.0f, 500.1f, 0.0f, 0.0f);
    updateCamera(renderer, world, options, settings, game.play.player);
    EXPECT_FALSE(blockInFrustum(renderer, 500, 100, 500));
    for (const Plane& p : renderer.camera.frustumPlanes)
        EXPECT_GT(planeValue(p, 500.0f, 100.0f, 500.3f), 0.0f);
}

}  // namespace
