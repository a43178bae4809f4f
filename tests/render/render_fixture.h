// A fixture for the renderer's tests: an open headless window, a grid to build
// small scenes in (wiped afterwards), and the eye at a known spot.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "render/oracle_support.h"
#include "render/render_state.h"
#include "render/scenes.h"
#include "test_support.h"
#include "world/block_types.h"

class RenderTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        plat::createWindowAndDevices("Velmora", 800, 600);
        setView(0, 0);  // render distance 0, noon
    }
    void TearDown() override {
        grid.wipe();
        AppTest::TearDown();
    }

   public:
    // Writes cells; SceneGrid::announce() then tells the renderer.
    void put(int x, int y, int z, uint8_t type, uint8_t aux = 0) {
        grid.put(x, y, z, Cell{type, aux});
    }
    void fill(int x0, int y0, int z0, int x1, int y1, int z1, uint8_t type) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                for (int z = z0; z <= z1; ++z) put(x, y, z, type);
    }
    SceneGrid grid;
};

// The faces of cell (x, y, z) among `faces`.
inline std::vector<FaceRecord> facesOf(const std::vector<FaceRecord>& faces, int x, int y, int z) {
    std::vector<FaceRecord> out;
    for (const FaceRecord& f : faces)
        if (f.cell == plat::packCell(x, y, z)) out.push_back(f);
    return out;
}
