// A small scene in the test's own grid for the rules of play: a box of air
// far from the spawn column, the player standing in it, and helpers to
// put blocks, aim, hold items and run the rules at a given frame time.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "game/events.h"
#include "game/frame.h"
#include "game/play.h"
#include "test_support.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/world.h"

class PlayScene : public GameTest {
   protected:
    // The box every scene lives in.
    static constexpr int kX0 = 280, kX1 = 340, kY0 = 30, kY1 = 80, kZ0 = 280, kZ1 = 340;
    // The middle of the box, where the tests build.
    static constexpr int kX = 310, kY = 50, kZ = 310;

    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
        // Out of the way of the blocks the tests place, unless a test moves him.
        play.player.Position = Vec3{float(kX1 - 5), float(kY1 - 5), float(kZ1 - 5)};
    }
    void clearBox(int x0, int x1, int y0, int y1, int z0, int z1) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                for (int z = z0; z <= z1; ++z)
                    if (inWorld(x, y, z)) cell(world, x, y, z) = Cell{0, 0};
    }

    void put(int x, int y, int z, uint8_t type, uint8_t aux = 0) {
        cell(world, x, y, z) = Cell{type, aux};
    }
    Cell at(int x, int y, int z) { return cell(world, x, y, z); }
    void aim(int x, int y, int z, uint8_t side) {
        play.target = Target{Vec3{float(x), float(y), float(z)}, side};
    }
    void hold(uint8_t slot, uint8_t type, uint8_t count = 1) {
        play.controls.selectedSlot = slot;
        world.slots[slot] = ItemStack{type, count};
    }
    void fillInventory(uint8_t type = 1, uint8_t count = 1) {
        for (int c = 0; c < kInventoryCells; ++c) world.slots[c] = ItemStack{type, count};
    }

    // A frame at time t with exactly these keys held.
    static Frame frameAt(int32_t t, std::initializer_list<uint8_t> keys = {}) {
        Frame f;
        f.now = t;
        for (uint8_t k : keys) f.input.keyboard.keys[k] = 0x80;
        return f;
    }

    // The scene's play, the gate the screens share, and what the rules
    // reported.
    Play play;
    ActionGate gate;
    Events events;
};
