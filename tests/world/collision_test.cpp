// The grid's geometric queries: which cell a body sample falls in, whether the
// player's body collides, and whether a pick sample claims a cell.
#include <cmath>
#include <limits>

#include "block_scene.h"
#include "test_support.h"
#include "world/collision.h"

namespace {

class Collision : public GameTest {
   protected:
    BlockScene scene{world};
};

// The smallest float above v: a body nudged past an exact contact.
float above(float v) {
    return std::nextafter(v, 1e9f);
}
float below(float v) {
    return std::nextafter(v, -1e9f);
}

TEST_F(Collision, PointInCellIncludesEveryFaceAndReportsMisses) {
    const Vec3 c{10.0f, 20.0f, 30.0f};
    const Vec3 none{-1.0f, -1.0f, -1.0f};
    EXPECT_EQ(pointInCell({10.0f, 20.0f, 30.0f}, c), c);
    EXPECT_EQ(pointInCell({9.5f, 20.5f, 30.5f}, c), c);  // a corner
    EXPECT_EQ(pointInCell({10.5f, 19.5f, 29.5f}, c), c);
    EXPECT_EQ(pointInCell({above(10.5f), 20.0f, 30.0f}, c), none);
    EXPECT_EQ(pointInCell({10.0f, below(19.5f), 30.0f}, c), none);
    EXPECT_EQ(pointInCell({10.0f, 20.0f, above(30.5f)}, c), none);
}

// Exact contact on a face counts for the cell with the smaller coordinate:
// standing on a block and leaning on its +x or +z face collide, touching a
// ceiling or the -x or -z face of a block does not.
TEST_F(Collision, FaceContactBelongsToTheCellWithTheSmallerCoordinate) {
    scene.put(500, 100, 500);
    // Feet exactly on the top face (py - 1.5 = 100.5).
    EXPECT_TRUE(bodyCollides(world, {500.0f, 102.0f, 500.0f}));
    EXPECT_FALSE(bodyCollides(world, {500.0f, above(102.0f), 500.0f}));
    // Head exactly on the bottom face (py + 0.35 = 99.5 once rounded to float).
    EXPECT_FALSE(bodyCollides(world, {500.0f, 99.15f, 500.0f}));
    EXPECT_TRUE(bodyCollides(world, {500.0f, 99.16f, 500.0f}));
}

TEST_F(Collision, SideContactCollidesOnlyOnThePlusFaces) {
    // Walls two blocks high beside a body whose eye is at 101.
    for (int y = 100; y <= 101; ++y)
        for (int k = 499; k <= 501; ++k) {
            scene.put(502, y, k);  // +x side
            scene.put(498, y, k);  // -x side
        }
    // Touching the -x face of the wall at 502: px + 0.4 = 501.5.
    EXPECT_FALSE(bodyCollides(world, {501.1f, 101.0f, 500.0f}));
    EXPECT_TRUE(bodyCollides(world, {above(501.1f), 101.0f, 500.0f}));
    // Touching the +x face of the wall at 498: px - 0.4 = 498.5.
    EXPECT_TRUE(bodyCollides(world, {498.9f, 101.0f, 500.0f}));
    EXPECT_FALSE(bodyCollides(world, {above(498.9f), 101.0f, 500.0f}));

    for (int y = 100; y <= 101; ++y)
        for (int k = 499; k <= 501; ++k) {
            scene.put(k, y, 510);  // +z side
            scene.put(k, y, 506);  // -z side
        }
    EXPECT_FALSE(bodyCollides(world, {500.0f, 101.0f, 509.1f}));
    EXPECT_TRUE(bodyCollides(world, {500.0f, 101.0f, above(509.1f)}));
    EXPECT_TRUE(bodyCollides(world, {500.0f, 101.0f, 506.9f}));
    EXPECT_FALSE(bodyCollides(world, {500.0f, 101.0f, above(506.9f)}));
}

TEST_F(Collision, EveryHeightOfTheBodyIsSampled) {
    // A block level with the waist only, then with the head only: the body
    // is 1.85 high and each of its three sample heights must see it.
    scene.put(500, 100, 500);
    EXPECT_TRUE(bodyCollides(world, {500.0f, 100.4f, 500.0f}));   // waist at 99.9
    EXPECT_TRUE(bodyCollides(world, {500.0f, 99.7f, 500.0f}));    // head at 100.05
    EXPECT_FALSE(bodyCollides(world, {500.0f, 103.0f, 500.0f}));  // wholly above
    // Each corner column finds a block beside the eye's own column.
    scene.put(501, 110, 501);
    EXPECT_TRUE(bodyCollides(world, {500.7f, 111.0f, 500.7f}));
    EXPECT_FALSE(bodyCollides(world, {500.0f, 111.0f, 500.0f}));
}

TEST_F(Collision, TorchesAndAirNeverBlockTheBody) {
    for (int x = 499; x <= 501; ++x)
        for (int y = 98; y <= 102; ++y)
            for (int z = 499; z <= 501; ++z) scene.put(x, y, z, block::Torch);
    EXPECT_FALSE(bodyCollides(world, {500.0f, 100.0f, 500.0f}));
    scene.put(500, 99, 500, block::Glass);
    EXPECT_TRUE(bodyCollides(world, {500.0f, 100.0f, 500.0f}));
}

TEST_F(Collision, OutsideTheGridThereIsNothingToHit) {
    // Cell 0 reaches down to -0.5, cell 999 up to 999.5, and no further.
    scene.put(500, 0, 500);
    EXPECT_TRUE(bodyCollides(world, {500.0f, 1.0f, 500.0f}));    // feet at -0.5: the face of cell 0
    EXPECT_FALSE(bodyCollides(world, {500.0f, -1.0f, 500.0f}));  // head at -0.65
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = 3e9f;  // beyond any integer type's reach
    EXPECT_FALSE(bodyCollides(world, {nan, 100.0f, 500.0f}));
    EXPECT_FALSE(bodyCollides(world, {500.0f, -huge, 500.0f}));
    EXPECT_FALSE(bodyCollides(world, {huge, 100.0f, -huge}));
    EXPECT_FALSE(bodyCollides(world, {-0.95f, 100.0f, 1000.5f}));
}

TEST_F(Collision, PickSamplesClaimSolidCellsToTheFaceAndTorchesNearTheirMiddle) {
    scene.put(500, 100, 500, block::Dirt);
    EXPECT_TRUE(samplePicksCell(world, {500.5f, 99.5f, 500.5f}, 500, 100, 500));
    EXPECT_FALSE(samplePicksCell(world, {above(500.5f), 100.0f, 500.0f}, 500, 100, 500));
    // A sample on a shared face lies in both cells.
    scene.put(501, 100, 500, block::Dirt);
    EXPECT_TRUE(samplePicksCell(world, {500.5f, 100.0f, 500.0f}, 501, 100, 500));

    scene.put(510, 100, 510, block::Torch);
    EXPECT_TRUE(samplePicksCell(world, {510.25f, 100.0f, 509.75f}, 510, 100, 510));
    EXPECT_FALSE(samplePicksCell(world, {510.0f, above(100.25f), 510.0f}, 510, 100, 510));
    EXPECT_FALSE(samplePicksCell(world, {510.3f, 100.0f, 510.0f}, 510, 100, 510));

    // Air is never claimed, nor anything outside the grid.
    EXPECT_FALSE(samplePicksCell(world, {502.0f, 100.0f, 500.0f}, 502, 100, 500));
    EXPECT_FALSE(samplePicksCell(world, {-1.0f, 100.0f, 500.0f}, -1, 100, 500));
    EXPECT_FALSE(samplePicksCell(world, {500.0f, 200.0f, 500.0f}, 500, 200, 500));
}

}  // namespace
