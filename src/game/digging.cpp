#include "game/digging.h"

#include "game/catalogue.h"
#include "game/inventory.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/world.h"

namespace {

// A chest's contents go with its record when it is dug, so a chest is dug
// only once it is empty. One without a record holds nothing.
bool chestHoldsSomething(const World& world, uint8_t number) {
    if (number >= world.chestCount) return false;
    for (const ItemStack& s : world.chests[number])
        if (s.type != 0) return true;
    return false;
}

// The crack stage for S of T milliseconds: eight equal steps; once the dig
// is complete the stage stays where it was.
void advanceCracks(DigState& dig, float elapsed, float total) {
    const float eighth = total / 8.0f;
    if (elapsed < eighth) {
        dig.crackStage = 0;
        return;
    }
    for (int i = 1; i <= 7; ++i)
        if (elapsed < eighth * float(i + 1)) {
            dig.crackStage = uint8_t(i);
            return;
        }
}

// A frame on the same cell with the same hotbar cell: runs the clock when the
// tool qualifies. True when the dig is complete.
bool continueDig(const World& world, DigState& dig, int32_t now, int x, int y, int z, uint8_t type,
                 uint8_t tool) {
    // A tool that does not dig this block does nothing, not even stop a dig.
    if (!canDig(type, tool)) return false;
    if (isChest(type) && chestHoldsSomething(world, cell(world, x, y, z).aux)) {
        dig.digging = 0;
        return false;
    }
    int32_t elapsed = 0;
    if (!dig.digging) {
        dig.digStartTime = now;
        dig.digging = 1;
    } else {
        elapsed = now - dig.digStartTime;
    }
    const float total = digTimeMs(type, tool);
    advanceCracks(dig, float(elapsed), total);
    if (float(elapsed) < total) return false;
    dig.digging = 0;
    return true;
}

// Torches fixed to the dug block at (x, y, z) fall off; how many did.
int dropFixedTorches(World& world, int x, int y, int z) {
    struct Mount {
        int dx, dy, dz;
        uint8_t code;  // the torch's aux when it hangs on the block at (x, y, z)
    };
    static constexpr Mount kMounts[] = {
        {+1, 0, 0, 2}, {-1, 0, 0, 3}, {0, +1, 0, 0}, {0, 0, +1, 4}, {0, 0, -1, 1},
    };
    int fallen = 0;
    for (const Mount& m : kMounts) {
        const int nx = x + m.dx, ny = y + m.dy, nz = z + m.dz;
        if (!inWorld(nx, ny, nz)) continue;
        const Cell c = cell(world, nx, ny, nz);
        if (c.type == block::Torch && c.aux == m.code) {
            setCell(world, nx, ny, nz, Cell{0, 0});
            ++fallen;
        }
    }
    return fallen;
}

void completeDig(World& world, int x, int y, int z, uint8_t type) {
    const uint8_t yield = dugYield(type);
    addOneItem(world, yield);
    if (isChest(type)) removeChestRecord(world, cell(world, x, y, z).aux);
    setCell(world, x, y, z, Cell{0, 0});
    returnTorches(world, dropFixedTorches(world, x, y, z));
}

}  // namespace

void updateDigging(World& world, DigState& dig, const Controls& controls, const Target& aim,
                   const Frame& frame, Events& events) {
    // The free cells are counted now, not taken from the display: the
    // display may be hidden and the count out of date.
    if (!controls.leftButtonLatch || aim.NewBlock == kNoSide || !hasTarget(aim) ||
        countFreeCells(world) == 0) {
        dig.digging = 0;
        return;
    }
    const Vec3 at = aim.targetBlock;
    const int x = int(at.x), y = int(at.y), z = int(at.z);
    if (!world.cells || !inWorld(x, y, z)) {
        dig.digging = 0;
        return;
    }
    const uint8_t type = cell(world, x, y, z).type;
    const uint8_t slot = controls.selectedSlot;
    const uint8_t tool = slot < 9 ? world.slots[slot].type : 0;

    if (slot == dig.slot && at == dig.block && type == dig.type) {
        const CellPos here{x, y, z};
        if (continueDig(world, dig, frame.now, x, y, z, type, tool)) {
            completeDig(world, x, y, z, type);
            events.add({EventKind::DigFinished, type, here});
        } else if (dig.digging) {
            events.add({EventKind::DigStep, type, here, float(dig.crackStage)});
        }
    } else {
        // Another cell, another block or another hotbar cell: the clock
        // starts in the next frame.
        dig.digging = 0;
    }
    dig.slot = slot;
    dig.block = at;
    dig.type = cell(world, x, y, z).type;
}

void abandonStaleDig(const World& world, DigState& dig, const Target& aim, uint8_t selectedSlot) {
    if (!dig.digging || !hasTarget(aim) || !world.cells) return;
    const Vec3 t = aim.targetBlock;
    const int x = int(t.x), y = int(t.y), z = int(t.z);
    if (!inWorld(x, y, z)) return;
    if (!(dig.block == t) || dig.slot != selectedSlot || dig.type != cell(world, x, y, z).type)
        dig.digging = 0;
}
