// The renderer against the literal reference drawer: on many small random
// worlds, eyes and settings, and across edits and moves that exercise the
// cached sections, both must draw the same solid faces (same texture and
// shade), the same glass in the same order, pick the same target and side,
// mark it the same way and count the same Polygons.
#include <gtest/gtest.h>

#include <random>

#include "app/game_state.h"
#include "game/controls.h"
#include "game/digging.h"
#include "game/player.h"
#include "game/target.h"
#include "render/oracle_support.h"
#include "render/scenes.h"
#include "render/world_view.h"
#include "test_support.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/settings.h"

namespace {

class RendererOracle : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        plat::createWindowAndDevices("Velmora", 800, 600);
    }

    // Both drawers on the world as it is; the dig record is the same for both.
    void expectSameFrame(const std::string& what) {
        const DigState dig = game.play.dig;
        const FrameResult fast = drawWithRenderer();
        hiddenBlocks += worldViewStats(renderer).hiddenBlocks;
        game.play.dig = (dig);
        const FrameResult literal = drawWithReference();
        const std::string difference = compareFrames(fast, literal);
        EXPECT_EQ(difference, "") << what;
        ++framesCompared;
        facesSeen += int(litFaces(literal.frame).size());
    }

    std::string where(int scene) const {
        const Vec3 p = game.play.player.Position;
        return "scene " + std::to_string(scene) + ", render distance " +
               std::to_string(settings.RenderDistance) + ", eye (" + std::to_string(p.x) + ", " +
               std::to_string(p.y) + ", " + std::to_string(p.z) + ") turn " +
               std::to_string(game.play.player.xzRotCamera) + " pitch " +
               std::to_string(game.play.player.yRotCamera);
    }

    int framesCompared = 0;
    int facesSeen = 0;
    int hiddenBlocks = 0;  // blocks the renderer had to cut out of its ranges
};

// Spots in the middle of the world and against each of its faces.
void sceneCentre(std::mt19937& rng, SceneKind kind, int& x, int& y, int& z) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    x = pick(300, 700), y = pick(40, 160), z = pick(300, 700);
    if (kind != SceneKind::Edges) return;
    // Sides 0 and 1 are the low and high x faces, 2 and 3 z, 4 and 5 y.
    const int side = pick(0, 5);
    int& along = side < 2 ? x : side < 4 ? z : y;
    const int last = side < 4 ? 999 : 199;
    along = side % 2 == 0 ? pick(0, 3) : pick(last - 3, last);
}

TEST_F(RendererOracle, RandomScenesDrawAlike) {
    std::mt19937 rng(20240611);
    SceneGrid grid;
    const SceneKind kinds[] = {SceneKind::Soup, SceneKind::GlassWalls, SceneKind::Ground,
                               SceneKind::Edges, SceneKind::Stations};
    for (int scene = 0; scene < 40; ++scene) {
        const SceneKind kind = kinds[scene % 5];
        setView(std::uniform_int_distribution<int>(0, 4)(rng),
                std::uniform_int_distribution<int>(0, 239)(rng));
        int x, y, z;
        sceneCentre(rng, kind, x, y, z);
        grid.wipe();
        makeScene(grid, kind, rng, x, y, z, 20 + 10 * settings.RenderDistance + 3);
        SceneGrid::announce();
        game.play.dig = DigState{};
        expectSameFrame(where(scene));
        // Digging whatever is targeted, at some stage, with the cell in hand.
        if (hasTarget(game.play.target)) {
            const Vec3 t = game.play.target.targetBlock;
            game.play.dig = (DigState{1, 0, uint8_t(scene % 8), game.play.controls.selectedSlot, t,
                                      cell(world, int(t.x), int(t.y), int(t.z)).type});
            expectSameFrame(where(scene) + " while digging");
            game.play.controls.selectedSlot =
                uint8_t((game.play.controls.selectedSlot + 1) % 9);  // switching cells ends the dig
            expectSameFrame(where(scene) + " after switching cells");
            game.play.controls.selectedSlot = 0;
        }
    }
    EXPECT_GT(facesSeen, 10000);  // the scenes really drew something
    EXPECT_GT(hiddenBlocks, 0);   // and went through the frustum's hard cases
}

// The short distances make the literal walk cheap: many more scenes, with
// sections and their ranges crossed every way.
TEST_F(RendererOracle, ManyShortSightedScenesDrawAlike) {
    std::mt19937 rng(7177);
    SceneGrid grid;
    const SceneKind kinds[] = {SceneKind::Soup, SceneKind::GlassWalls, SceneKind::Ground,
                               SceneKind::Edges, SceneKind::Stations};
    for (int scene = 0; scene < 150; ++scene) {
        const SceneKind kind = kinds[scene % 5];
        setView(scene % 2, std::uniform_int_distribution<int>(0, 239)(rng));
        int x, y, z;
        sceneCentre(rng, kind, x, y, z);
        grid.wipe();
        makeScene(grid, kind, rng, x, y, z, 20 + 10 * settings.RenderDistance + 3);
        SceneGrid::announce();
        game.play.dig = DigState{};
        expectSameFrame(where(scene));
    }
}

TEST_F(RendererOracle, NothingIsDrawnFromAboveTheLitHeight) {
    SceneGrid grid;
    std::mt19937 rng(7);
    setView(0, 120);
    makeScene(grid, SceneKind::Soup, rng, 500, 190, 500, 10);
    SceneGrid::announce();
    placeEye(500.5f, 199.0f + 20.0f + 1.5f, 500.5f, 0.0f, -1.5707964f);
    expectSameFrame("above 199 + R");
    EXPECT_FALSE(hasTarget(game.play.target));
}

TEST_F(RendererOracle, EditsMovesAndJumpsKeepTheCacheTrue) {
    std::mt19937 rng(99);
    SceneGrid grid;
    for (int round = 0; round < 6; ++round) {
        setView(round % 5, round * 40);
        grid.wipe();
        makeScene(grid, round % 2 ? SceneKind::Ground : SceneKind::Soup, rng, 480, 100, 520, 30);
        SceneGrid::announce();
        expectSameFrame("round " + std::to_string(round) + " start");
        for (int step = 0; step < 12; ++step) {
            // A few cells dug or placed near the eye, torches and glass among them.
            for (int e = 0; e < 3; ++e) {
                const int x = int(game.play.player.Position.x) +
                              std::uniform_int_distribution<int>(-7, 7)(rng);
                const int y = int(game.play.player.Position.y) +
                              std::uniform_int_distribution<int>(-7, 7)(rng);
                const int z = int(game.play.player.Position.z) +
                              std::uniform_int_distribution<int>(-7, 7)(rng);
                const uint8_t choices[] = {block::Air,   block::Air,   block::Torch,
                                           block::Glass, block::Stone, block::Leaves};
                const uint8_t type = choices[std::uniform_int_distribution<int>(0, 5)(rng)];
                if (inWorld(x, y, z)) setCell(world, x, y, z, Cell{type, uint8_t(step % 5)});
            }
            // A step or two, a turn; every fourth step a jump far away and back.
            Vec3 p = game.play.player.Position;
            p.x += std::uniform_real_distribution<float>(-2.5f, 2.5f)(rng);
            p.z += std::uniform_real_distribution<float>(-2.5f, 2.5f)(rng);
            p.y += std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
            if (step % 4 == 3) p.x += 37.0f;
            if (step % 4 == 0 && step > 0) p.x -= 37.0f;
            placeEye(p.x, p.y, p.z, game.play.player.xzRotCamera + 0.7f,
                     game.play.player.yRotCamera * 0.5f);
            expectSameFrame("round " + std::to_string(round) + " step " + std::to_string(step));
        }
    }
}

TEST_F(RendererOracle, DaylightChangesNeedNoRebuild) {
    std::mt19937 rng(5);
    SceneGrid grid;
    setView(1, 0);
    makeScene(grid, SceneKind::Ground, rng, 500, 100, 500, 25);
    SceneGrid::announce();
    expectSameFrame("noon");
    for (int dayTime : {30, 90, 120, 200}) {
        setView(1, dayTime);
        expectSameFrame("DayTime " + std::to_string(dayTime));
    }
}

}  // namespace
