// The crafting panel (key R): whether it is open, the recipes the player can
// make right now from the inventory and the stations nearby, which of them
// the cursor is on, and making one.
#pragma once

#include <cstdint>

#include "game/events.h"
#include "game/frame.h"
#include "game/recipes.h"
#include "world/geometry.h"
#include "world/world.h"

struct CraftingPanel {
    uint8_t open = 0;
    int32_t selected = 0;  // index into the candidate list; kept between frames
    // Rebuilt before every frame the panel is drawn; crafting reads the last one.
    Recipe candidates[kRecipeCount] = {};
    int32_t candidateCount = 0;
};

void toggleCraftingPanel(CraftingPanel& panel);
// Back to the first candidate (a new world, leaving the pause menu).
void resetCraftingCursor(CraftingPanel& panel);

// The stations standing in the 7 x 7 x 7 cube around a position (each
// coordinate truncated), walls or no walls.
struct StationsNear {
    bool craftingTable = false;
    bool furnace = false;
    bool anvil = false;
};
StationsNear findStations(const World& world, const Vec3& position);

// The inventory cells 0..35 hold every ingredient in its count.
bool inventoryHolds(const World& world, const Recipe& recipe);

// The recipes of the hands and of the stations near the player that the
// inventory can make, list by list in table order; the cursor is kept within
// the new list.
void buildCandidates(const World& world, CraftingPanel& panel, const Vec3& position);

// Up and Down move the cursor (shared 250 ms gate), Enter crafts (150 ms on
// the same gate). Runs in the Playing update while the panel is open; what
// it makes is a Crafted event.
void updateCraftingKeys(World& world, CraftingPanel& panel, const Frame& frame, ActionGate& gate,
                        Events& events);

// Makes the recipe under the cursor once: its ingredients taken from the
// lowest cells first, then the result added unit by unit. Nothing happens
// when the list is empty, no inventory cell is free, or the inventory no
// longer holds the ingredients. True when something was made.
bool craftSelected(World& world, const CraftingPanel& panel);
