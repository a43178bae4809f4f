// Small worlds for the renderer's tests: cells written into the grid around a
// spot (and wiped again), random scenes of every kind of block, and the eye
// placed where a test wants it.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "world/world.h"

// A grid that starts all air, keeping track of the cells a test wrote so
// that the next scene starts from air too.
class SceneGrid {
   public:
    SceneGrid();
    ~SceneGrid();
    // Writes a cell (inside the world only) without telling anyone.
    void put(int x, int y, int z, Cell c);
    // Every written cell back to air.
    void wipe();
    // A new world as far as the renderer knows.
    static void announce();

   private:
    std::vector<size_t> written_;
};

// The eye at (x, y, z) turned by `turn` and pitched by `pitch` radians.
void placeEye(float x, float y, float z, float turn, float pitch);
// Render distance and daylight (DayTime) for the next frames.
void setView(int renderDistance, int dayTime);

enum class SceneKind { Soup, GlassWalls, Ground, Edges, Stations };
// Fills a random scene of the given kind around (x, y, z), reaching `reach`
// cells on each side, and puts the eye somewhere in it.
void makeScene(SceneGrid& grid, SceneKind kind, std::mt19937& rng, int x, int y, int z, int reach);
