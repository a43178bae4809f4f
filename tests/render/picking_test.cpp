// Picking through the game's renderer: the nearest drawn block under the
// crosshair within reach, the drawing order deciding ties, and the side a
// placed block would go on.
#include <cmath>

#include "app/game_state.h"
#include "game/target.h"
#include "render/picking.h"
#include "render/world_view.h"
#include "render_fixture.h"

namespace {

using Picking = RenderTest;

Vec3 pick() {
    drawWithRenderer();
    return game.play.target.targetBlock;
}

TEST_F(Picking, OpenSkyPicksNothing) {
    put(500, 90, 500, block::Stone);
    SceneGrid::announce();
    placeEye(500.5f, 100.5f, 500.5f, 0.0f, 0.5f);
    EXPECT_EQ(pick(), kNoTarget);
    EXPECT_EQ(game.play.target.NewBlock, kNoSide);
}

TEST_F(Picking, ReachEndsAtSevenAndHiddenBlocksAreNeverPicked) {
    put(500, 100, 508, block::Stone);  // 7.5 ahead of the eye
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 500.5f, 0.0f, 0.0f);
    EXPECT_EQ(pick(), kNoTarget);
    // A block with no see-through neighbour holds the first samples, but is
    // not drawn: the one beyond its shell is picked.
    fill(499, 99, 502, 501, 101, 504, block::Stone);
    SceneGrid::announce();
    EXPECT_EQ(pick(), (Vec3{500, 100, 502}));
    grid.wipe();
    fill(499, 99, 502, 501, 101, 504, block::Stone);
    fill(499, 99, 501, 501, 101, 501, block::Stone);  // the shell closed in front too
    SceneGrid::announce();
    EXPECT_EQ(pick(), (Vec3{500, 100, 501}));
}

TEST_F(Picking, LookingDownOntoATopGivesTheSideAboveUnlessGlassIsThere) {
    put(500, 98, 500, block::Stone);
    SceneGrid::announce();
    placeEye(500.2f, 101.0f, 500.3f, 0.0f, -1.5707964f);
    EXPECT_EQ(pick(), (Vec3{500, 98, 500}));
    EXPECT_EQ(game.play.target.NewBlock, kSideAbove);
    put(500, 99, 500, block::Torch);
    SceneGrid::announce();
    placeEye(500.4f, 101.0f, 500.4f, 0.0f, -1.5707964f);
    EXPECT_EQ(pick(), (Vec3{500, 98, 500}));  // the torch is thin: the ray misses it
    EXPECT_EQ(game.play.target.NewBlock, kSideAbove);
    put(500, 99, 500, block::Glass);
    SceneGrid::announce();
    EXPECT_EQ(pick(), (Vec3{500, 99, 500}));  // the glass itself
    EXPECT_EQ(game.play.target.NewBlock, kSideAbove);
}

TEST_F(Picking, TorchesArePickedOnlyNearTheirMiddle) {
    put(500, 100, 503, block::Torch);
    put(500, 99, 503, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 500.5f, 0.0f, 0.0f);
    EXPECT_EQ(pick(), (Vec3{500, 100, 503}));
    placeEye(500.3f, 100.0f, 500.5f, 0.0f, 0.0f);
    EXPECT_EQ(pick(), kNoTarget);
}

TEST_F(Picking, GlassWinsOnlyWhenStrictlyNearer) {
    // A sample on the face shared by glass and stone lies in both: the stone,
    // drawn before any glass, keeps it.
    put(500, 100, 503, block::Glass);
    put(500, 100, 504, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 497.3f, 0.0f, 0.0f);  // sample 61 sits on z = 503.5
    EXPECT_EQ(pick(), (Vec3{500, 100, 503}));
    grid.wipe();
    put(500, 100, 503, block::Glass);
    put(500, 100, 502, block::Stone);
    SceneGrid::announce();
    EXPECT_EQ(pick(), (Vec3{500, 100, 502}));
}

TEST_F(Picking, WhenTwoSidesQualifyTheLaterTestWins) {
    put(500, 100, 503, block::Stone);
    SceneGrid::announce();
    // Rays aimed at the block's +x, +y edge from above and to the +x side:
    // find one whose last sample before the hit lies beyond both faces, so
    // that both the +x and the +y test pass; +y is tested later and wins.
    const float pitch = -0.5f, turn = -1.5707964f;
    const float h = 1.0f - std::fabs(std::sin(pitch)) + 0.001f;
    int found = 0;
    for (int i = 0; i < 100 && !found; ++i) {
        const float ex = 502.0f + 0.01f * float(i);
        const float ey = 100.5f + (ex - 500.5f) * (std::sin(-pitch) / h);
        placeEye(ex, ey, 503.0f, turn, pitch);
        if (!(pick() == Vec3{500, 100, 503})) continue;
        const float t = 0.1f * float(aimAtWorld(renderer, world, game.play.player).bestSample);
        const float qx = ex + t * (h * std::sin(turn)), qy = ey + t * std::sin(pitch);
        if (qx >= 500.5f && qy >= 100.5f) {
            EXPECT_EQ(game.play.target.NewBlock, kSideAbove);
            ++found;
        }
    }
    EXPECT_EQ(found, 1);
}

}  // namespace
