// The inventory and chest screens' working state and keys: the cursor, the
// cell picked up for a move, and the chest whose cells are open.
#pragma once

#include <cstdint>

#include "game/events.h"
#include "game/frame.h"
#include "world/world.h"

inline constexpr uint8_t kNoMark = 255;

struct ItemScreen {
    uint8_t cursor = 0;            // 0..35 (inventory) or 0..62 (chest)
    uint8_t markedCell = kNoMark;  // the cell picked up, kNoMark = none
    uint8_t chestNumber = 0;       // the chest shown in the chest screen
};

// Entering either screen: the cursor on the hotbar cell in use, nothing picked up.
void openInventoryScreen(ItemScreen& screen, uint8_t selectedSlot);
// The chest's 27 cells are copied into cells 36..62 while it is open.
void openChestScreen(World& world, ItemScreen& screen, uint8_t selectedSlot, int chestNumber);

enum class ScreenRequest : uint8_t { Stay, Leave };
// The screen's keys for this frame, at most one action, each through the
// shared gate: cursor moves, Enter to pick up and put down, Delete, and Esc
// or I to leave. Leaving the chest screen writes the chest's cells back to
// its record. Picking up, putting down and leaving are events.
ScreenRequest updateItemScreen(World& world, ItemScreen& screen, bool chest, const Frame& frame,
                               ActionGate& gate, Events& events);

// Putting the marked cell down on `to`: onto the same type as much as fits
// (the rest stays behind), anything else swaps whole. Never loses an item.
void moveCell(World& world, int from, int to);
