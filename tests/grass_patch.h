// A patch of grassy dirt under open sky in a world's grid, for a scene played
// on it: laid in a test's set-up and emptied again in its tear-down.
#pragma once

#include "platform/platform.h"
#include "test_support.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/world.h"

struct GrassPatch {
    int x0, x1, y, z0, z1;  // inclusive; the grass is at height y

    void lay(World& world) const {
        empty(world);
        for (int x = x0; x <= x1; ++x)
            for (int z = z0; z <= z1; ++z) cell(world, x, y, z) = Cell{block::Dirt, 1};  // grassy
    }
    void empty(World& world) const {
        for (int x = x0; x <= x1; ++x)
            for (int yy = y; yy < kWorldSizeY; ++yy)
                for (int z = z0; z <= z1; ++z) cell(world, x, yy, z) = Cell{0, 0};
    }
};

// A scene's fixture: the headless window, the world's storage and the patch
// laid, the patch emptied again afterwards.
class OnGrassPatch : public AppTest {
   protected:
    explicit OnGrassPatch(GrassPatch patch) : patch_(patch) {}
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600), 0);
        ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
        patch_.lay(world);
        noteWorldReplaced(world);
    }
    void TearDown() override {
        patch_.empty(world);
        AppTest::TearDown();
    }

   private:
    GrassPatch patch_;
};
