// The shared face rules: textures by type and aux, which faces show, shades,
// torch placement, and that every face turns its front outwards.
#include <gtest/gtest.h>

#include <cmath>

#include "render/block_faces.h"
#include "render/light_rules.h"
#include "render/matrix.h"
#include "world/block_types.h"

namespace {

std::vector<int> textures(uint8_t type, uint8_t aux) {
    std::vector<int> t;
    for (int face = 0; face < kFaceCount; ++face) t.push_back(faceTexture(type, aux, face));
    return t;
}

TEST(BlockFaces, TexturesByTypeAndAux) {
    using V = std::vector<int>;
    EXPECT_EQ(textures(block::Dirt, 1), (V{1, 3, 2, 2, 2, 2}));  // grass
    EXPECT_EQ(textures(block::Dirt, 0), (V{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(textures(block::RawWood, 0), (V{6, 6, 7, 7, 7, 7}));
    EXPECT_EQ(textures(block::Furnace, 1), (V{47, 47, 47, 47, 46, 47}));  // front on -x
    EXPECT_EQ(textures(block::Furnace, 9),
              (V{47, 47, 47, 47, 47, 47}));  // no front for a stray aux
    EXPECT_EQ(textures(block::ChestFacingPlusX, 0), (V{97, 97, 96, 95, 96, 96}));
    EXPECT_EQ(textures(block::ChestFacingMinusZ, 7), (V{97, 97, 95, 96, 96, 96}));
    EXPECT_EQ(textures(block::CraftingTable, 0), (V{49, 48, 49, 49, 49, 49}));
    EXPECT_EQ(textures(block::Anvil, 0), (V{65, 63, 64, 64, 64, 64}));
    EXPECT_EQ(textures(block::Torch, 2), (V{102, 102, 101, 101, 101, 101}));
    EXPECT_EQ(faceTexture(block::CoalOre, 0, kTop), 26);
    EXPECT_EQ(faceTexture(block::Cuprite, 0, kTop), 89);
    for (int unknown : {8, 9, 23, 28, 40, 72, 74, 200, 255})
        EXPECT_EQ(faceTexture(uint8_t(unknown), 0, kPlusZ), 103) << unknown;
}

TEST(BlockFaces, FacesShowTowardsWhatCanBeSeenThrough) {
    EXPECT_TRUE(faceShows(block::Stone, false, 0));  // the world's edge
    EXPECT_TRUE(faceShows(block::Stone, true, block::Air));
    EXPECT_TRUE(faceShows(block::Stone, true, block::Torch));
    EXPECT_TRUE(faceShows(block::Stone, true, block::Glass));   // stone seen through glass
    EXPECT_FALSE(faceShows(block::Glass, true, block::Stone));  // glass against stone
    EXPECT_FALSE(faceShows(block::Glass, true, block::Glass));
    EXPECT_FALSE(faceShows(block::Stone, true, block::Leaves));
}

TEST(BlockFaces, ShadesFromLevelsAndDirections) {
    EXPECT_FLOAT_EQ(faceShade(150, kTop), 0.94375f);
    EXPECT_FLOAT_EQ(faceShade(50, kBottom), 0.159375f);
    plat::LightTable table;
    buildLightTable(0.5625f, table);
    EXPECT_EQ(table.shade[kTop][10], table.shade[kTop][50]);  // nothing is darker than darkness
    EXPECT_FLOAT_EQ(table.shade[edgeRow(kTop)][0], 0.5625f);
    EXPECT_FLOAT_EQ(table.shade[edgeRow(kMinusZ)][200], 0.5625f * 0.6f);
}

TEST(BlockFaces, ALeaningTorchTiltsAndShiftsTowardsItsWall) {
    // aux 3: fixed to the block at x + 1, leaning by a quarter turn's half
    // about z and moved 0.1875 towards it.
    const plat::Matrix m = torchFaceTransform(kTop, 3, 10, 20, 30);
    const Vec3 top = transformPoint(Vec3{0.0f, 0.0625f, 0.0f}, m);
    EXPECT_NEAR(top.x, 10.1875f - 0.0625f * std::sin(0.7853982f), 1e-5);
    EXPECT_NEAR(top.y, 20.0f + 0.0625f * std::cos(0.7853982f), 1e-5);
    EXPECT_NEAR(top.z, 30.0f, 1e-5);
    const Vec3 standing =
        transformPoint(Vec3{0.0f, -0.5625f, 0.0f}, torchFaceTransform(kMinusZ, 0, 10, 20, 30));
    EXPECT_NEAR(standing.y, 19.4375f, 1e-5);  // the stick reaches into the block below
}

// Seen from outside the block, every drawn face turns counter-clockwise on
// screen, so culling clockwise triangles drops exactly the faces seen from
// behind.
TEST(BlockFaces, EveryFaceFrontsOutwards) {
    for (int face = 0; face < kFaceCount; ++face) {
        WorldCorner c[4];
        placeQuad(Model::FaceQuad, blockFaceTransform(face, 0, 0, 0), c);
        const Vec3 outside{2.0f * kFaceDx[face], 2.0f * kFaceDy[face], 2.0f * kFaceDz[face]};
        const Vec3 a{c[1].p.x - c[0].p.x, c[1].p.y - c[0].p.y, c[1].p.z - c[0].p.z};
        const Vec3 b{c[2].p.x - c[0].p.x, c[2].p.y - c[0].p.y, c[2].p.z - c[0].p.z};
        const Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        // Left-handed: a triangle turning counter-clockwise to the viewer has
        // its cross product pointing away from the viewer.
        const float towards = n.x * (outside.x - c[0].p.x) + n.y * (outside.y - c[0].p.y) +
                              n.z * (outside.z - c[0].p.z);
        EXPECT_LT(towards, 0.0f) << face;
        // And the face lies on the block's side in its direction.
        EXPECT_NEAR(c[0].p.x * kFaceDx[face] + c[0].p.y * kFaceDy[face] + c[0].p.z * kFaceDz[face],
                    0.5f, 1e-6)
            << face;
    }
    // A standing torch's stick: each side fronts away from the stick's axis
    // (its -z and +z sides are the other way round from a block's), the cap up.
    for (int face = kTop; face < kFaceCount; ++face) {
        WorldCorner c[4];
        placeQuad(face == kTop ? Model::TorchCap : Model::TorchSide,
                  torchFaceTransform(face, 0, 0, 0, 0), c);
        const Vec3 mid{(c[0].p.x + c[2].p.x) / 2, (c[0].p.y + c[2].p.y) / 2,
                       (c[0].p.z + c[2].p.z) / 2};
        const Vec3 outside =
            face == kTop ? Vec3{0.0f, 2.0f, 0.0f} : Vec3{mid.x * 20.0f, mid.y, mid.z * 20.0f};
        const Vec3 a{c[1].p.x - c[0].p.x, c[1].p.y - c[0].p.y, c[1].p.z - c[0].p.z};
        const Vec3 b{c[2].p.x - c[0].p.x, c[2].p.y - c[0].p.y, c[2].p.z - c[0].p.z};
        const Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        EXPECT_LT(n.x * (outside.x - c[0].p.x) + n.y * (outside.y - c[0].p.y) +
                      n.z * (outside.z - c[0].p.z),
                  0.0f)
            << "torch face " << face;
    }
}

}  // namespace
