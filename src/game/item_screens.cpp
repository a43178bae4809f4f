#include "game/item_screens.h"

#include <algorithm>
#include <utility>

#include "game/controls.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "game/inventory.h"
#include "platform/keys.h"
#include "world/chests.h"
#include "world/world.h"

ItemScreen itemScreen;

void openInventoryScreen() {
    itemScreen.cursor = controls.selectedSlot;
    itemScreen.markedCell = kNoMark;
}

void openChestScreen(int chestNumber) {
    openChest(chestNumber);
    itemScreen.chestNumber = uint8_t(chestNumber);
    openInventoryScreen();
}

void moveCell(int from, int to) {
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

bool pressed(uint8_t a, uint8_t b) {
    return held(a) || held(b);
}

// Enter: pick the cursor cell up, or put the picked-up cell down on it.
// False when there was nothing to do.
bool enterOnCursor() {
    const int cursor = itemScreen.cursor;
    if (itemScreen.markedCell == kNoMark) {
        if (world.slots[cursor].type == 0) return false;
        itemScreen.markedCell = uint8_t(cursor);
        return true;
    }
    moveCell(itemScreen.markedCell, cursor);
    itemScreen.markedCell = kNoMark;
    return true;
}

// One action at most per frame: the keys in this order, each through the
// shared gate, which a fired action closes for the rest of the frame.
bool act(bool keyHeld, bool allowed) {
    return keyHeld && allowed && gateOpen();
}

}  // namespace

ScreenRequest updateItemScreen(bool chest) {
    // Rows go up the screen as the numbers grow; the chest's rows sit above.
    const int lastCell = chest ? kSlotCells - 1 : kInventoryCells - 1;
    uint8_t& cursor = itemScreen.cursor;
    if (cursor > lastCell) cursor = uint8_t(lastCell);

    if (act(pressed(key::W, key::Up), cursor + 9 <= lastCell)) {
        cursor = uint8_t(cursor + 9);
        gateFired();
    }
    if (act(pressed(key::S, key::Down), cursor > 8)) {
        cursor = uint8_t(cursor - 9);
        gateFired();
    }
    if (act(pressed(key::A, key::Left), cursor > 0)) {
        cursor = uint8_t(cursor - 1);
        gateFired();
    }
    if (act(pressed(key::D, key::Right), cursor < lastCell)) {
        cursor = uint8_t(cursor + 1);
        gateFired();
    }
    if (act(held(key::Return), true) && enterOnCursor()) gateFired();
    if (act(held(key::Delete), true)) {
        // The one action that destroys items.
        world.slots[cursor] = ItemStack{0, 0};
        gateFired();
    }
    if (act(pressed(key::Escape, key::I), true)) {
        // The chest's working copy goes back to its record on the way out.
        if (chest) closeChest(itemScreen.chestNumber);
        gateFired();
        return ScreenRequest::Leave;
    }
    return ScreenRequest::Stay;
}

void resetItemScreen() {
    itemScreen = ItemScreen{};
}
