#include "game/item_screens.h"

#include <algorithm>
#include <utility>

#include "game/inventory.h"
#include "platform/keys.h"
#include "world/chests.h"
#include "world/world.h"

void openInventoryScreen(ItemScreen& screen, uint8_t selectedSlot) {
    screen.cursor = selectedSlot;
    screen.markedCell = kNoMark;
}

void openChestScreen(World& world, ItemScreen& screen, uint8_t selectedSlot, int chestNumber) {
    openChest(world, chestNumber);
    screen.chestNumber = uint8_t(chestNumber);
    openInventoryScreen(screen, selectedSlot);
}

void moveCell(World& world, int from, int to) {
    ItemStack& marked = world.slots[from];
    ItemStack& target = world.slots[to];
    if (from == to) return;
    if (marked.type != 0 && marked.type == target.type) {
        const int room = std::max(0, maxStack - int(target.count));
        const int moved = std::min(room, int(marked.count));
        target.count = uint8_t(target.count + moved);
        marked.count = uint8_t(marked.count - moved);
        if (marked.count == 0) marked = ItemStack{0, 0};
        return;
    }
    std::swap(marked, target);
}

namespace {

bool pressed(const Frame& f, uint8_t a, uint8_t b) {
    return held(f, a) || held(f, b);
}

// Enter: pick the cursor cell up, or put the picked-up cell down on it.
// False when there was nothing to do.
bool enterOnCursor(World& world, ItemScreen& screen, Events& events) {
    const int cursor = screen.cursor;
    if (screen.markedCell == kNoMark) {
        if (world.slots[cursor].type == 0) return false;
        screen.markedCell = uint8_t(cursor);
        events.add({EventKind::PickedUp, world.slots[cursor].type, {}, float(cursor)});
        return true;
    }
    moveCell(world, screen.markedCell, cursor);
    screen.markedCell = kNoMark;
    events.add({EventKind::PutDown, world.slots[cursor].type, {}, float(cursor)});
    return true;
}

}  // namespace

ScreenRequest updateItemScreen(World& world, ItemScreen& screen, bool chest, const Frame& frame,
                               ActionGate& gate, Events& events) {
    // Rows go up the screen as the numbers grow; the chest's rows sit above.
    const int lastCell = chest ? kSlotCells - 1 : kInventoryCells - 1;
    uint8_t& cursor = screen.cursor;
    if (cursor > lastCell) cursor = uint8_t(lastCell);
    // One action at most per frame: the keys in this order, each through the
    // shared gate, which a fired action closes for the rest of the frame.
    auto act = [&](bool keyHeld, bool allowed) {
        return keyHeld && allowed && gateOpen(gate, frame);
    };

    if (act(pressed(frame, key::W, key::Up), cursor + 9 <= lastCell)) {
        cursor = uint8_t(cursor + 9);
        gateFired(gate, frame);
    }
    if (act(pressed(frame, key::S, key::Down), cursor > 8)) {
        cursor = uint8_t(cursor - 9);
        gateFired(gate, frame);
    }
    if (act(pressed(frame, key::A, key::Left), cursor > 0)) {
        cursor = uint8_t(cursor - 1);
        gateFired(gate, frame);
    }
    if (act(pressed(frame, key::D, key::Right), cursor < lastCell)) {
        cursor = uint8_t(cursor + 1);
        gateFired(gate, frame);
    }
    if (act(held(frame, key::Return), true) && enterOnCursor(world, screen, events))
        gateFired(gate, frame);
    if (act(held(frame, key::Delete), true)) {
        // The one action that destroys items.
        world.slots[cursor] = ItemStack{0, 0};
        gateFired(gate, frame);
    }
    if (act(pressed(frame, key::Escape, key::I), true)) {
        // The chest's working copy goes back to its record on the way out.
        if (chest) closeChest(world, screen.chestNumber);
        events.add(chest ? Event{EventKind::ChestClosed, 0, {}, float(screen.chestNumber)}
                         : Event{EventKind::ScreenClosed});
        gateFired(gate, frame);
        return ScreenRequest::Leave;
    }
    return ScreenRequest::Stay;
}
