// Light: the literal light map on the cases its rules name, the closed form
// the cached renderer uses checked against it, and light that changes with a
// dig reaching the faces in the very next frame.
#include <random>

#include "world/cell_changes.h"

#include "game/time_of_day.h"
#include "render/light_rules.h"
#include "render/reference/reference_light.h"
#include "render_fixture.h"

namespace {

using Light = RenderTest;

// The literal map's level at world cell (x, y, z) for an eye at (500.5, 150.5, 500.5).
int levelAt(int x, int y, int z) {
    const auto& m = reference::lightMap();
    return reference::lightAt(x - (m.cx - m.radius), y, z - (m.cz - m.radius));
}

void litFrom(float x, float y, float z) {
    placeEye(x, y, z, 0.0f, 0.0f);
    reference::computeLightMap();
}

TEST_F(Light, OpenSkyFollowsTheDay) {
    setView(0, 120);
    litFrom(500.5f, 150.5f, 500.5f);
    EXPECT_EQ(levelAt(500, 140, 500), 84);
    setView(0, 0);
    litFrom(500.5f, 150.5f, 500.5f);
    EXPECT_EQ(levelAt(500, 140, 500), 150);
}

TEST_F(Light, SolidBlocksLeavesAndGlassTakeTheirShare) {
    put(500, 145, 500, block::Stone);
    fill(502, 143, 500, 502, 145, 500, block::Stone);
    fill(504, 142, 500, 504, 145, 500, block::Stone);
    fill(506, 144, 500, 506, 145, 500, block::Leaves);
    put(508, 145, 500, block::Glass);
    put(508, 144, 500, block::Glass);
    litFrom(500.5f, 150.5f, 500.5f);
    EXPECT_EQ(levelAt(500, 144, 500), 120);  // under one stone
    EXPECT_EQ(levelAt(502, 142, 500), 60);   // under three
    EXPECT_EQ(levelAt(504, 141, 500), 50);   // under four: used up
    EXPECT_EQ(levelAt(506, 143, 500), 132);  // under two leaves
    EXPECT_EQ(levelAt(508, 145, 500), 145);  // a glass cell itself
    EXPECT_EQ(levelAt(508, 143, 500), 140);  // under two glass
}

TEST_F(Light, TorchesLightTheirSurroundingsEvenDeepUnderground) {
    setView(0, 120);
    fill(490, 100, 490, 510, 140, 510, block::Stone);
    fill(496, 116, 496, 504, 124, 504, block::Air);  // a dark cave
    put(500, 120, 500, block::Torch);
    litFrom(500.5f, 120.5f, 500.5f);
    EXPECT_EQ(levelAt(500, 120, 500), 130);
    EXPECT_EQ(levelAt(501, 120, 500), 118);
    EXPECT_EQ(levelAt(500, 119, 500), 118);
    EXPECT_EQ(levelAt(504, 124, 504), 51);
    EXPECT_EQ(levelAt(496, 116, 504), 51);
    // The table the renderer uses holds the same levels.
    const int distances[][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 0, 0},
                                {3, 0, 0}, {4, 0, 0}, {4, 4, 0}, {4, 4, 4}};
    const int levels[] = {130, 118, 114, 110, 107, 96, 84, 66, 51};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(torchLevel(distances[i][0], distances[i][1], distances[i][2]), levels[i]) << i;
    EXPECT_EQ(torchLevel(5, 0, 0), 0);
}

TEST_F(Light, NothingIsLitFromAboveTheWorldsReach) {
    put(500, 199, 500, block::Torch);
    litFrom(500.5f, 199.0f + 20.0f + 1.5f, 500.5f);
    EXPECT_TRUE(reference::lightMap().torchList.empty());
}

// The cached renderer keeps per cell only what the sky loses above it and
// works the level out as max(start - lost, 50): it must be what the literal
// sky pass writes, byte arithmetic and all, for any column and any day.
TEST_F(Light, ClosedFormMatchesTheSkyPassForAnyColumn) {
    std::mt19937 rng(3);
    const uint8_t types[] = {block::Air,   block::Air,    block::Air,   block::Torch,
                             block::Glass, block::Leaves, block::Stone, 200};
    for (int column = 0; column < 300; ++column) {
        const int x = 400 + column % 20, z = 400 + column / 20;
        for (int y = 100; y < 200; ++y) put(x, y, z, types[rng() % 8]);
    }
    for (int dayTime : {0, 60, 120, 180}) {
        setView(4, dayTime);
        litFrom(410.5f, 150.5f, 407.5f);
        const int start = skyStartLevel(TimeLuminance(world));
        for (int column = 0; column < 300; ++column) {
            const int x = 400 + column % 20, z = 400 + column / 20;
            int lost = 0;
            for (int y = 199; y >= 100; --y) {
                const uint8_t type = cell(world, x, y, z).type;
                if (type == block::Air || type == block::Torch || type == block::Glass) {
                    const int own = type == block::Glass ? absorption(type) : 0;
                    // Torches raise the level from there; the sky's part is what is checked.
                    int torches = 0;
                    for (const auto& t : reference::lightMap().torchList)
                        torches =
                            std::max(torches, torchLevel(410 + t.o - x, t.y - y, 407 + t.u - z));
                    const int expected = std::max(skyLevelAt(start, lost + own), torches);
                    ASSERT_EQ(levelAt(x, y, z), expected)
                        << x << "," << y << "," << z << " at DayTime " << dayTime;
                }
                lost += absorption(type);
            }
        }
    }
}

TEST_F(Light, DiggingARoofLetsTheSkyInNextFrame) {
    setView(0, 0);
    fill(495, 100, 495, 505, 100, 505, block::Stone);     // ground
    fill(495, 105, 495, 505, 108, 505, block::Stone);     // a thick roof
    placeEye(500.5f, 102.5f, 500.5f, 0.0f, -1.5707964f);  // looking down at the ground
    SceneGrid::announce();
    auto groundTop = [] {
        const auto faces = facesOf(litFaces(drawWithRenderer().frame), 500, 100, 500);
        for (const FaceRecord& f : faces)
            if (f.row == 1) return f.level;
        return -1;
    };
    EXPECT_EQ(groundTop(), 50);
    for (int y = 105; y <= 108; ++y) setCell(world, 500, y, 500, Cell{0, 0});
    EXPECT_EQ(groundTop(), 150);
    setCell(world, 500, 108, 500, Cell{block::Glass, 0});
    EXPECT_EQ(groundTop(), 145);
}

}  // namespace
