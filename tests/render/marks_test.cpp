// The target's marks: the outline of its open faces in wireframe, the cracks
// of a running dig with the minimum blend, and the crack step ending a dig
// that no longer aims at what it started on.
#include <cmath>

#include "app/game_state.h"
#include "game/controls.h"
#include "game/digging.h"
#include "game/target.h"
#include "render/polygons.h"
#include "render_fixture.h"

namespace {

using Marks = RenderTest;

// A stone buried but for its top, under the eye looking straight down.
void buriedStone(Marks& t) {
    t.fill(499, 97, 499, 501, 99, 501, block::Stone);
    SceneGrid::announce();
    placeEye(500.3f, 101.0f, 500.2f, 0.0f, -1.5707964f);
}

TEST_F(Marks, ABuriedBlockShowsOneOutlinedAndOneCrackedFace) {
    buriedStone(*this);
    FrameResult r = drawWithRenderer();
    ASSERT_EQ(r.target, (Vec3{500, 99, 500}));
    ASSERT_EQ(r.frame.quads.size(), 1u);
    EXPECT_TRUE(r.frame.quads[0].wireframe);
    EXPECT_EQ(r.frame.quads[0].texture, 103);
    EXPECT_TRUE(r.frame.quads[0].culling);
    const int withoutCracks = r.polygons;

    game.play.dig =
        (DigState{1, 0, 3, game.play.controls.selectedSlot, Vec3{500, 99, 500}, block::Stone});
    r = drawWithRenderer();
    ASSERT_EQ(r.frame.quads.size(), 2u);
    EXPECT_FALSE(r.frame.quads[1].wireframe);
    EXPECT_EQ(r.frame.quads[1].texture, 33);
    EXPECT_EQ(r.frame.quads[1].blend, plat::Blend::Minimum);
    EXPECT_EQ(r.polygons, withoutCracks + 2);
    EXPECT_TRUE(r.digging);
    // The crack lies exactly on the face it darkens.
    const auto faces = facesOf(litFaces(r.frame), 500, 99, 500);
    ASSERT_EQ(faces.size(), 1u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(r.frame.quads[1].vertices[size_t(k)].x, faces[0].corners[size_t(3 * k)]);
        EXPECT_EQ(r.frame.quads[1].vertices[size_t(k)].y, faces[0].corners[size_t(3 * k + 1)]);
    }
}

TEST_F(Marks, ADigEndsWhenTheHotbarCellOrTheTargetChanges) {
    buriedStone(*this);
    game.play.dig = (DigState{1, 0, 0, 2, Vec3{500, 99, 500}, block::Stone});
    game.play.controls.selectedSlot = 3;
    EXPECT_FALSE(drawWithRenderer().digging);
    game.play.controls.selectedSlot = 2;
    game.play.dig = (DigState{1, 0, 0, 2, Vec3{500, 99, 501}, block::Stone});
    EXPECT_FALSE(drawWithRenderer().digging);
    game.play.dig = (DigState{1, 0, 0, 2, Vec3{500, 99, 500}, block::Dirt});
    EXPECT_FALSE(drawWithRenderer().digging);
    game.play.dig = (DigState{1, 0, 0, 2, Vec3{500, 99, 500}, block::Stone});
    EXPECT_TRUE(drawWithRenderer().digging);
}

TEST_F(Marks, ATorchGetsAHalfSizeCubeAndNoCracks) {
    put(500, 99, 500, block::Torch);
    put(500, 98, 500, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 101.0f, 500.0f, 0.0f, -1.5707964f);
    game.play.dig =
        (DigState{1, 0, 2, game.play.controls.selectedSlot, Vec3{500, 99, 500}, block::Torch});
    const FrameResult r = drawWithRenderer();
    ASSERT_EQ(r.target, (Vec3{500, 99, 500}));
    ASSERT_EQ(r.frame.quads.size(), 6u);
    for (const auto& q : r.frame.quads) {
        EXPECT_TRUE(q.wireframe);
        for (const auto& v : q.vertices) {
            EXPECT_NEAR(std::fabs(v.x - 500.0f), 0.25f, 1e-5);
            EXPECT_NEAR(std::fabs(v.y - 99.0f), 0.25f, 1e-5);
        }
    }
    EXPECT_TRUE(r.digging);  // the same dig goes on, uncracked
}

TEST_F(Marks, FacesAgainstGlassAreNeitherOutlinedNorCracked) {
    buriedStone(*this);
    put(500, 100, 500, block::Glass);
    put(500, 101, 500, block::Stone);
    put(501, 99, 500, block::Air);  // open on +x instead
    SceneGrid::announce();
    placeEye(503.0f, 99.0f, 500.0f, -1.5707964f, 0.0f);
    game.play.dig =
        (DigState{1, 0, 5, game.play.controls.selectedSlot, Vec3{500, 99, 500}, block::Stone});
    const FrameResult r = drawWithRenderer();
    ASSERT_EQ(r.target, (Vec3{500, 99, 500}));
    ASSERT_EQ(r.frame.quads.size(), 2u);  // the +x face, outlined and cracked
    for (const auto& q : r.frame.quads) EXPECT_NEAR(q.vertices[0].x, 500.5f, 1e-5);
}

}  // namespace
