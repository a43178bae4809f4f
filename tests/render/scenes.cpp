#include "render/scenes.h"

#include <algorithm>

#include "test_support.h"

#include "app/game_state.h"
#include "game/player.h"
#include "game/time_of_day.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/settings.h"

SceneGrid::SceneGrid() {
    // A fresh grid, all air, whatever earlier tests in this process left:
    // storage taken anew from the system costs nothing until written.
    game.world.cells.reset();
    game.world.worldStorageReady = false;
    allocateWorldStorage(game.world);
}

SceneGrid::~SceneGrid() {
    wipe();
}

void SceneGrid::put(int x, int y, int z, Cell c) {
    if (!inWorld(x, y, z)) return;
    cell(game.world, x, y, z) = c;
    written_.push_back(cellIndex(x, y, z));
}

void SceneGrid::wipe() {
    for (size_t i : written_) game.world.cells[i] = Cell{0, 0};
    written_.clear();
}

void SceneGrid::announce() {
    noteWorldReplaced(game.world);
}

void placeEye(float x, float y, float z, float turn, float pitch) {
    game.play.player.Position = Vec3{x, y, z};
    game.play.player.xzRotCamera = turn;
    game.play.player.yRotCamera = pitch;
}

void setView(int renderDistance, int dayTime) {
    game.settings.RenderDistance = uint8_t(renderDistance);
    game.world.DayTime = uint8_t(dayTime);
}

namespace {

// Every byte a cell can hold, weighted towards the kinds that draw differently.
uint8_t randomType(std::mt19937& rng) {
    static const uint8_t common[] = {block::Stone,
                                     block::Dirt,
                                     block::Leaves,
                                     block::Glass,
                                     block::Torch,
                                     block::Furnace,
                                     block::ChestFacingMinusZ,
                                     block::ChestFacingMinusX,
                                     block::ChestFacingPlusX,
                                     block::ChestFacingPlusZ,
                                     block::CraftingTable,
                                     block::Anvil,
                                     block::RawWood,
                                     block::Cobblestone,
                                     block::Gravel};
    std::uniform_int_distribution<int> pick(0, 3);
    if (pick(rng) == 0) return uint8_t(std::uniform_int_distribution<int>(1, 255)(rng));
    return common[std::uniform_int_distribution<size_t>(0, std::size(common) - 1)(rng)];
}

Cell randomCell(std::mt19937& rng) {
    const uint8_t type = randomType(rng);
    const uint8_t aux = uint8_t(std::uniform_int_distribution<int>(0, 5)(rng));
    return Cell{type, aux};
}

float uniform(std::mt19937& rng, float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
}
int uniformInt(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

void soup(SceneGrid& g, std::mt19937& rng, int x0, int y0, int z0, int reach, double density) {
    std::bernoulli_distribution fill(density);
    for (int x = x0 - reach; x <= x0 + reach; ++x)
        for (int y = y0 - reach; y <= y0 + reach; ++y)
            for (int z = z0 - reach; z <= z0 + reach; ++z)
                if (fill(rng)) g.put(x, y, z, randomCell(rng));
}

void slab(SceneGrid& g, int x0, int x1, int y0, int y1, int z0, int z1, Cell c) {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y)
            for (int z = z0; z <= z1; ++z) g.put(x, y, z, c);
}

}  // namespace

void makeScene(SceneGrid& g, SceneKind kind, std::mt19937& rng, int x, int y, int z, int reach) {
    const int cells = (2 * reach + 1) * (2 * reach + 1) * (2 * reach + 1);
    switch (kind) {
        case SceneKind::Soup:
            // Sparse far out, dense around the eye.
            soup(g, rng, x, y, z, reach, std::min(0.3, 20000.0 / cells));
            soup(g, rng, x, y, z, 5, 0.35);
            break;
        case SceneKind::GlassWalls:
            for (int wall = 0; wall < 6; ++wall) {
                const int axis = uniformInt(rng, 0, 2), at = uniformInt(rng, -8, 8);
                const int span = uniformInt(rng, 2, 9);
                for (int a = -span; a <= span; ++a)
                    for (int b = -span; b <= span; ++b) {
                        const int px = axis == 0 ? x + at : x + a,
                                  py = axis == 1 ? y + at : y + (axis == 0 ? a : b),
                                  pz = axis == 2 ? z + at : z + b;
                        const bool stone = uniformInt(rng, 0, 7) == 0;
                        g.put(px, py, pz, Cell{stone ? block::Stone : block::Glass, 0});
                    }
            }
            soup(g, rng, x, y, z, 6, 0.08);
            break;
        case SceneKind::Ground: {
            // Ground with holes, a roof partly of leaves and glass over some of it, torches.
            const int ground = y - 3;
            slab(g, x - reach, x + reach, ground - 4, ground, z - reach, z + reach,
                 Cell{block::Stone, 0});
            slab(g, x - reach, x + reach, ground, ground, z - reach, z + reach,
                 Cell{block::Dirt, 1});
            for (int i = 0; i < 30; ++i) {
                const int hx = x + uniformInt(rng, -12, 12), hz = z + uniformInt(rng, -12, 12);
                slab(g, hx, hx + uniformInt(rng, 0, 2), ground - uniformInt(rng, 0, 4), ground, hz,
                     hz + uniformInt(rng, 0, 2), Cell{0, 0});
            }
            const uint8_t roofs[] = {block::Stone, block::Leaves, block::Glass};
            for (int r = 0; r < 8; ++r) {
                const int rx = x + uniformInt(rng, -10, 10), rz = z + uniformInt(rng, -10, 10);
                const int ry = ground + uniformInt(rng, 3, 8);
                const uint8_t type = roofs[uniformInt(rng, 0, 2)];
                slab(g, rx, rx + uniformInt(rng, 1, 5), ry, ry + uniformInt(rng, 0, 2), rz,
                     rz + uniformInt(rng, 1, 5), Cell{type, 0});
            }
            for (int t = 0; t < 12; ++t)
                g.put(x + uniformInt(rng, -10, 10), ground + uniformInt(rng, -3, 4),
                      z + uniformInt(rng, -10, 10),
                      Cell{block::Torch, uint8_t(uniformInt(rng, 0, 4))});
            break;
        }
        case SceneKind::Edges:
            // Blocks against the world's faces near the eye.
            soup(g, rng, x, y, z, std::min(reach, 10), 0.25);
            break;
        case SceneKind::Stations:
            for (int i = 0; i < 60; ++i) {
                const uint8_t types[] = {block::Furnace,           block::ChestFacingMinusZ,
                                         block::ChestFacingMinusX, block::ChestFacingPlusX,
                                         block::ChestFacingPlusZ,  block::Torch};
                g.put(x + uniformInt(rng, -7, 7), y + uniformInt(rng, -4, 4),
                      z + uniformInt(rng, -7, 7),
                      Cell{types[uniformInt(rng, 0, 5)], uint8_t(uniformInt(rng, 0, 4))});
            }
            soup(g, rng, x, y, z, 8, 0.05);
            break;
    }
    // The eye somewhere near the middle, often looking straight up or down.
    const float pitches[] = {1.5707964f, -1.5707964f, 0.0f};
    const float pitch =
        uniformInt(rng, 0, 4) == 0 ? pitches[uniformInt(rng, 0, 2)] : uniform(rng, -1.5f, 1.5f);
    placeEye(float(x) + uniform(rng, -2.0f, 2.0f), float(y) + uniform(rng, -2.0f, 2.0f),
             float(z) + uniform(rng, -2.0f, 2.0f), uniform(rng, -3.2f, 3.2f), pitch);
}
