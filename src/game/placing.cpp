#include "game/placing.h"

#include "game/catalogue.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/collision.h"
#include "world/world.h"

namespace {

struct Offset {
    int dx, dy, dz;
};

// The neighbour on each side of a block, by NewBlock's value.
constexpr Offset kSideOffsets[7] = {
    {0, 0, 0}, {0, -1, 0}, {0, +1, 0}, {0, 0, -1}, {-1, 0, 0}, {+1, 0, 0}, {0, 0, +1},
};

bool airAt(const World& world, int x, int y, int z) {
    return inWorld(x, y, z) && cell(world, x, y, z).type == block::Air;
}

// Furnace facings (aux) and the cell each looks at.
enum FurnaceFacing : uint8_t {
    kFacesMinusZ = 0,
    kFacesMinusX = 1,
    kFacesPlusX = 2,
    kFacesPlusZ = 3,
    kFacesNone = 4
};
constexpr Offset kFurnaceFront[4] = {{0, 0, -1}, {-1, 0, 0}, {+1, 0, 0}, {0, 0, +1}};

// Looking back at the face clicked; when that side is closed (or the click
// was on a top or bottom face), the last open side of +x, -x, +z, -z, and -z
// when all four are closed.
uint8_t furnaceFacing(const World& world, int x, int y, int z, uint8_t side) {
    uint8_t facing = kFacesNone;
    switch (side) {
        case kSidePlusZ:
            facing = kFacesPlusZ;
            break;
        case kSidePlusX:
            facing = kFacesPlusX;
            break;
        case kSideMinusX:
            facing = kFacesMinusX;
            break;
        case kSideMinusZ:
            facing = kFacesMinusZ;
            break;
        default:
            break;
    }
    if (facing != kFacesNone) {
        const Offset f = kFurnaceFront[facing];
        if (airAt(world, x + f.dx, y + f.dy, z + f.dz)) return facing;
    }
    facing = kFacesNone;
    if (airAt(world, x + 1, y, z)) facing = kFacesPlusX;
    if (airAt(world, x - 1, y, z)) facing = kFacesMinusX;
    if (airAt(world, x, y, z + 1)) facing = kFacesPlusZ;
    if (airAt(world, x, y, z - 1)) facing = kFacesMinusZ;
    return facing == kFacesNone ? uint8_t(kFacesMinusZ) : facing;
}

// A chest's facing is its type; the same choice as the furnace's.
uint8_t chestType(const World& world, int x, int y, int z, uint8_t side) {
    uint8_t type = 0;
    Offset front{};
    switch (side) {
        case kSidePlusZ:
            type = block::ChestFacingPlusZ, front = {0, 0, +1};
            break;
        case kSidePlusX:
            type = block::ChestFacingPlusX, front = {+1, 0, 0};
            break;
        case kSideMinusX:
            type = block::ChestFacingMinusX, front = {-1, 0, 0};
            break;
        case kSideMinusZ:
            type = block::ChestFacingMinusZ, front = {0, 0, -1};
            break;
        default:
            break;
    }
    if (type != 0 && airAt(world, x + front.dx, y + front.dy, z + front.dz)) return type;
    type = 0;
    if (airAt(world, x + 1, y, z)) type = block::ChestFacingPlusX;
    if (airAt(world, x - 1, y, z)) type = block::ChestFacingMinusX;
    if (airAt(world, x, y, z + 1)) type = block::ChestFacingPlusZ;
    if (airAt(world, x, y, z - 1)) type = block::ChestFacingMinusZ;
    return type == 0 ? block::ChestFacingMinusZ : type;
}

// The torch's mount code for the face clicked: 0 standing, 1..4 on a wall;
// none (5) under a block, where a torch cannot hang.
constexpr uint8_t kNoMount = 5;
uint8_t torchMount(uint8_t side) {
    switch (side) {
        case kSideAbove:
            return 0;
        case kSidePlusZ:
            return 4;
        case kSidePlusX:
            return 2;
        case kSideMinusX:
            return 3;
        case kSideMinusZ:
            return 1;
        default:
            return kNoMount;
    }
}

// A right click on a chest opens it when the shared gate lets it. A chest
// without a record (only a damaged file can hold one) does not open: what
// was put in it would have nowhere to go.
PlaceResult openChestAt(World& world, Play& play, const Cell& chest, const Frame& frame,
                        ActionGate& gate, Events& events) {
    if (!gateOpen(gate, frame) || chest.aux >= world.chestCount) return PlaceResult::Nothing;
    openChestScreen(world, play.itemScreen, play.controls.selectedSlot, chest.aux);
    holdJumpClock(play.player, frame.now);
    gateFired(gate, frame);
    events.add({EventKind::ChestOpened, 0, {}, float(chest.aux)});
    return PlaceResult::OpenedChest;
}

}  // namespace

PlaceResult placeOrOpen(World& world, Play& play, const Frame& frame, ActionGate& gate,
                        Events& events) {
    const Target& aim = play.target;
    if (aim.NewBlock == kNoSide || aim.NewBlock > kSidePlusZ || !hasTarget(aim) || !world.cells)
        return PlaceResult::Nothing;
    const int tx = int(aim.targetBlock.x), ty = int(aim.targetBlock.y), tz = int(aim.targetBlock.z);
    if (!inWorld(tx, ty, tz)) return PlaceResult::Nothing;
    const Cell targeted = cell(world, tx, ty, tz);
    if (isChest(targeted.type)) return openChestAt(world, play, targeted, frame, gate, events);

    const Offset o = kSideOffsets[aim.NewBlock];
    const int x = tx + o.dx, y = ty + o.dy, z = tz + o.dz;
    if (play.controls.selectedSlot >= 9) return PlaceResult::Nothing;
    ItemStack& hand = world.slots[play.controls.selectedSlot];
    // A typed cell with no items left (only a damaged file holds one) has
    // nothing to place either.
    if (!inWorld(x, y, z) || hand.type == 0 || hand.count == 0 || isItemOnly(hand.type) ||
        cell(world, x, y, z).type != block::Air)
        return PlaceResult::Nothing;
    // Every chest needs a record of its own for its contents; with all of
    // them in use the chest stays in the hand.
    const bool chest = isChest(hand.type);
    if (chest && world.chestCount >= kMaxChests) return PlaceResult::Nothing;

    const uint8_t placed = hand.type;
    const uint8_t keptAux = cell(world, x, y, z).aux;
    setCell(world, x, y, z, Cell{placed, keptAux});
    --hand.count;

    bool kept = true;
    if (bodyCollides(world, play.player.Position)) {
        kept = false;
        // It would stand in the player's body: taken back.
        setCell(world, x, y, z, Cell{block::Air, keptAux});
        ++hand.count;
    } else if (placed == block::Furnace) {
        setCell(world, x, y, z, Cell{placed, furnaceFacing(world, x, y, z, aim.NewBlock)});
    } else if (chest) {
        const int number = newChestRecord(world);  // there is room: checked above
        setCell(world, x, y, z, Cell{chestType(world, x, y, z, aim.NewBlock), uint8_t(number)});
        registerChestAt(world, number, x, y, z);
    } else if (placed == block::Torch) {
        const uint8_t mount = torchMount(aim.NewBlock);
        if (mount == kNoMount || rejectsTorch(targeted.type)) {
            // Nothing holds it there: it comes straight back.
            setCell(world, x, y, z, Cell{0, 0});
            ++hand.count;
            kept = false;
        } else {
            setCell(world, x, y, z, Cell{placed, mount});
        }
    }
    if (hand.count == 0) hand.type = 0;
    if (kept) events.add({EventKind::Placed, placed, {x, y, z}});
    return PlaceResult::Placed;
}
