// The cached sections: built before anything of them can be seen, rebuilt
// only around what changed, dropped with the world they came from, lit again
// when a torch near the light box's edge starts or stops shining, and the
// frame's counts and glass order as the block-by-block walk gives them.
#include "render/sections.h"
#include <algorithm>
#include <cstring>

#include "app/game_state.h"
#include "render/block_faces.h"
#include "render/camera.h"
#include "render/polygons.h"
#include "render/world_view.h"
#include "render_fixture.h"
#include "world/cell_changes.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

using Sections = RenderTest;

int builtNow() {
    return worldViewStats(game.renderer).sectionsBuilt;
}

// Frames until the sections ahead of the cube are all built.
void settle() {
    for (int i = 0; i < 50 && (i == 0 || worldViewStats(game.renderer).builtAhead > 0); ++i)
        drawWithRenderer();
}

TEST_F(Sections, TheFirstFrameOfANewWorldShowsItAndADigRebuildsOnlyItsNeighbourhood) {
    fill(480, 90, 480, 520, 99, 520, block::Stone);
    SceneGrid::announce();
    placeEye(500.5f, 102.0f, 500.5f, 0.0f, -0.8f);
    EXPECT_FALSE(litFaces(drawWithRenderer().frame).empty());
    EXPECT_GT(builtNow(), 8);
    settle();
    drawWithRenderer();
    EXPECT_EQ(builtNow(), 0);  // nothing changed, nothing built
    setCell(world, 500, 99, 503, Cell{0, 0});
    const auto faces = litFaces(drawWithRenderer().frame);
    EXPECT_LE(builtNow(), 4);
    EXPECT_FALSE(facesOf(faces, 500, 98, 503).empty());  // the hole's floor shows at once
    // A changed cell on a section's corner reaches the sections it touches.
    setCell(world, 495, 96, 495, Cell{0, 0});  // 496 = 31 * 16: x and z on a boundary, y inside
    drawWithRenderer();
    EXPECT_LE(builtNow(), 8);
}

TEST_F(Sections, ANewWorldDropsEverySectionOfTheOld) {
    fill(490, 95, 490, 510, 99, 510, block::Stone);
    SceneGrid::announce();
    placeEye(500.5f, 102.0f, 500.5f, 0.0f, -0.8f);
    drawWithRenderer();
    const size_t meshes = headless::liveMeshCount();
    EXPECT_GT(meshes, 0u);
    grid.wipe();
    fill(490, 95, 490, 510, 95, 510, block::Dirt);
    SceneGrid::announce();
    drawWithRenderer();
    EXPECT_LE(headless::liveMeshCount(), meshes);
    for (const FaceRecord& f : litFaces(headless::lastFrame()))
        EXPECT_EQ(f.texture, 1) << describe(f);
}

TEST_F(Sections, DaylightAndTurningNeverRebuild) {
    fill(480, 90, 480, 520, 99, 520, block::Stone);
    SceneGrid::announce();
    placeEye(500.5f, 102.0f, 500.5f, 0.0f, -0.8f);
    settle();
    for (int dayTime : {40, 120, 200}) {
        setView(0, dayTime);
        game.play.player.xzRotCamera += 1.0f;
        drawWithRenderer();
        EXPECT_EQ(builtNow(), 0);
    }
}

TEST_F(Sections, ATorchOutsideTheLightBoxShinesOnceTheBoxReachesIt) {
    // A wall inside the cube; behind it, a torch in the column just beyond
    // the box's edge while the eye's cell is 499, inside it from 500 on.
    fill(518, 95, 495, 518, 105, 505, block::Stone);
    put(520, 100, 500, block::Torch);
    SceneGrid::announce();
    setView(0, 120);  // night: the sky gives 84
    auto wallLight = [&] {
        for (const FaceRecord& f : litFaces(drawWithRenderer().frame))
            if (f.cell == plat::packCell(518, 100, 500) && f.row == kMinusX) return f.level;
        return -1;
    };
    placeEye(499.5f, 100.5f, 500.5f, 1.5707964f, 0.0f);  // box columns 479..519
    EXPECT_EQ(wallLight(), 84);
    placeEye(500.5f, 100.5f, 500.5f, 1.5707964f, 0.0f);  // 480..520
    EXPECT_EQ(wallLight(), 96);                          // three cells from the torch
    placeEye(499.5f, 100.5f, 500.5f, 1.5707964f, 0.0f);
    EXPECT_EQ(wallLight(), 84);
}

TEST_F(Sections, PolygonsCountFacesTheCullingFrustumKeepsEvenWhenNotDrawn) {
    // Looking along +z: a block 45 degrees up is in the wide culling frustum
    // but outside the narrower drawing one.
    put(500, 106, 506, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 500.0f, 0.0f, 0.0f);
    const FrameResult r = drawWithRenderer();
    EXPECT_EQ(r.polygons, 12);
    EXPECT_TRUE(showable(litFaces(r.frame)).empty());
}

TEST_F(Sections, GlassAtOneDistanceIsDrawnInReverseWalkOrder) {
    // Four glass blocks around the eye's column at the same distance.
    put(498, 100, 505, block::Glass);
    put(502, 100, 505, block::Glass);
    put(500, 98, 505, block::Glass);
    put(500, 102, 505, block::Glass);
    put(500, 100, 510, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 500.0f, 0.0f, 0.0f);
    const FrameResult r = drawWithRenderer();
    std::vector<uint32_t> cells;
    for (const FaceRecord& f : litFaces(r.frame))
        if (f.blended && (cells.empty() || cells.back() != f.cell)) cells.push_back(f.cell);
    EXPECT_EQ(cells,
              (std::vector<uint32_t>{plat::packCell(502, 100, 505), plat::packCell(500, 102, 505),
                                     plat::packCell(500, 98, 505), plat::packCell(498, 100, 505)}));
    // Without glass the blended pass is never asked for.
    grid.wipe();
    put(500, 100, 510, block::Stone);
    SceneGrid::announce();
    for (const auto& call : drawWithRenderer().frame.litCalls)
        EXPECT_NE(call.pass, plat::LitPass::Blended);
}

TEST_F(Sections, ANewRenderDistanceReachesFurtherInTheNextFrame) {
    put(500, 100, 525, block::Stone);
    SceneGrid::announce();
    placeEye(500.0f, 100.0f, 500.0f, 0.0f, 0.0f);
    EXPECT_TRUE(facesOf(litFaces(drawWithRenderer().frame), 500, 100, 525).empty());
    settings.RenderDistance = 1;  // what the render-distance key does
    EXPECT_FALSE(facesOf(showable(litFaces(drawWithRenderer().frame)), 500, 100, 525).empty());
}

// A torch alone in one section: its mesh's torch quads are [0, 5). Walked
// next, a section whose first quads seen are its top faces at [5, 10): those
// ranges meet end to start, but belong to different meshes.
TEST_F(Sections, RangesOfOneSectionNeverRunIntoTheNext) {
    put(505, 100, 505, block::Torch);
    for (int x = 513; x <= 517; ++x) put(x, 100, 505, block::Stone);
    SceneGrid::announce();
    placeEye(511.0f, 112.0f, 505.0f, 0.0f, -1.5707964f);
    const auto faces = showable(litFaces(drawWithRenderer().frame));
    for (int x = 513; x <= 517; ++x) {
        const auto mine = facesOf(faces, x, 100, 505);
        EXPECT_TRUE(std::any_of(mine.begin(), mine.end(),
                                [](const FaceRecord& f) { return f.row == kTop; }))
            << "no top face on the stone at x = " << x;
    }
}

TEST_F(Sections, SectionsFarBehindAreLetGo) {
    fill(480, 95, 480, 520, 99, 520, block::Stone);
    SceneGrid::announce();
    placeEye(500.5f, 102.0f, 500.5f, 0.0f, 0.0f);
    drawWithRenderer();
    const size_t before = builtSections(renderer).size();
    placeEye(700.5f, 102.0f, 700.5f, 0.0f, 0.0f);
    drawWithRenderer();
    placeEye(900.5f, 102.0f, 900.5f, 0.0f, 0.0f);
    drawWithRenderer();
    EXPECT_LE(builtSections(renderer).size(), before + 100);
    for (const Section* s : builtSections(renderer)) EXPECT_GT(s->sx, 40);
}

// Ground out past a 160 m view's edge, the eye in section (31, 5, 31): the
// standard cube spans sections 27..35 across and 2..9 up, the far view 21..41
// across and all 13 up.
TEST_F(Sections, AFarViewFillsInNearestFirstAndNeverShowsAnOldSection) {
    fill(330, 90, 330, 670, 90, 670, block::Dirt);
    SceneGrid::announce();
    placeEye(500.5f, 93.0f, 500.5f, 0.0f, -0.3f);
    options.farView = 160;
    auto across = [&](const Section* s) {
        return std::max(std::abs(s->sx - 31), std::abs(s->sz - 31));
    };
    auto standard = [&](const Section* s) { return across(s) <= 4 && s->sy >= 2 && s->sy <= 9; };
    auto fillIn = [&] {
        for (int i = 0; i < 2000 && worldViewStats(renderer).farLeft > 0; ++i) drawWithRenderer();
    };
    drawWithRenderer();
    EXPECT_EQ(
        std::count_if(builtSections(renderer).begin(), builtSections(renderer).end(), standard),
        9 * 8 * 9);
    EXPECT_GT(worldViewStats(renderer).farLeft, 0);
    EXPECT_GT(worldViewStats(renderer).builtFar, 0);
    EXPECT_LE(worldViewStats(renderer).builtFar, 160);  // the budget, were every section empty
    fillIn();
    int far = 0, lastReach = 0;
    for (const Section* s : builtSections(renderer)) {  // in the order they were built
        if (standard(s) || across(s) > 10) continue;
        ++far;
        const int reach =
            (s->sx - 31) * (s->sx - 31) + (s->sy - 5) * (s->sy - 5) + (s->sz - 31) * (s->sz - 31);
        EXPECT_GE(reach, lastReach);
        lastReach = reach;
        Section once;  // built as a standard view builds a section, in one go
        once.sx = s->sx, once.sy = s->sy, once.sz = s->sz;
        buildSection(renderer, world, once, renderer.view.box);
        const auto *a = headless::meshVertices(s->mesh), *b = headless::meshVertices(once.mesh);
        ASSERT_EQ(a == nullptr, b == nullptr);
        EXPECT_TRUE(!a || (a->size() == b->size() &&
                           std::memcmp(a->data(), b->data(), a->size() * sizeof((*a)[0])) == 0));
        if (once.mesh) plat::destroyMesh(once.mesh);
    }
    EXPECT_EQ(far, 21 * 13 * 21 - 9 * 8 * 9);
    // A stone on the ground in 35 far sections ahead, more than a frame
    // rebuilds: the ground's top under each is gone, though old meshes had it
    // (faces drawn one by one, so that each tells its cell).
    renderer.view.facesOnly = true;
    auto stone = [&](uint32_t c) {
        const int x = plat::cellX(c), z = plat::cellZ(c);
        return x >= 452 && x <= 548 && x % 16 == 4 && z >= 584 && z <= 648 && z % 16 == 8;
    };
    for (int x = 452; x <= 548; x += 16)
        for (int z = 584; z <= 648; z += 16) setCell(world, x, 91, z, Cell{block::Stone, 0});
    for (const FaceRecord& f : litFaces(drawWithRenderer().frame))
        EXPECT_FALSE(plat::cellY(f.cell) == 90 && stone(f.cell) && f.row == kTop) << describe(f);
    EXPECT_GT(worldViewStats(renderer).farLeft, 0);
    fillIn();
    const auto after = litFaces(drawWithRenderer().frame);
    for (int x = 452; x <= 548; x += 16)
        for (int z = 584; z <= 648; z += 16) EXPECT_FALSE(facesOf(after, x, 91, z).empty());
}

}  // namespace
