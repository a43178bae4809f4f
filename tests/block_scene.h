// A small scene of blocks in a world's grid for one test: the box around the
// world's centre column is emptied when the scene is made and when it ends, so
// whatever was generated there does not get in the way.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "test_support.h"
#include "world/block_types.h"
#include "world/world.h"

class BlockScene {
   public:
    // Every scene lives within x and z 480..520, all heights.
    static constexpr int kLow = 480, kHigh = 520;

    explicit BlockScene(World& into) : world(into) {
        EXPECT_EQ(allocateWorldStorage(world), WorldResult::Done);
        empty();
    }
    ~BlockScene() { empty(); }
    BlockScene(const BlockScene&) = delete;
    BlockScene& operator=(const BlockScene&) = delete;

    void put(int x, int y, int z, uint8_t type = block::Stone) {
        ASSERT_TRUE(x >= kLow && x <= kHigh && z >= kLow && z <= kHigh && y >= 0 &&
                    y < kWorldSizeY);
        cell(world, x, y, z) = Cell{type, 0};
    }
    // A flat layer of one type at height y over the square x, z in [low, high].
    void layer(int y, int low, int high, uint8_t type = block::Stone) {
        for (int x = low; x <= high; ++x)
            for (int z = low; z <= high; ++z) put(x, y, z, type);
    }

   private:
    World& world;
    void empty() {
        if (!world.cells) return;
        for (int x = kLow; x <= kHigh; ++x)
            for (int y = 0; y < kWorldSizeY; ++y)
                std::memset(&cell(world, x, y, kLow), 0, sizeof(Cell) * (kHigh - kLow + 1));
    }
};
