#include "game/item_screens.h"

#include "game/controls.h"
#include "game/frame_clock.h"
#include "game/input.h"
#include "platform/keys.h"
#include "world/chests.h"

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

ScreenRequest updateItemScreen(bool chest) {
    if ((held(key::Escape) || held(key::I)) && gateOpen()) {
        // The chest's working copy goes back to its record on the way out.
        if (chest) closeChest(itemScreen.chestNumber);
        gateFired();
        return ScreenRequest::Leave;
    }
    return ScreenRequest::Stay;
}

void resetItemScreen() { itemScreen = ItemScreen{}; }
