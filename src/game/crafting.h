// The crafting panel (key R): whether it is open and which candidate recipe
// its cursor is on.
#pragma once

#include <cstdint>

struct CraftingPanel {
    uint8_t open = 0;
    int32_t selected = 0;  // index into the candidate list; kept between frames
};

extern CraftingPanel craftingPanel;

void toggleCraftingPanel();
// Back to the first candidate (a new world, leaving the pause menu).
void resetCraftingCursor();

void resetCrafting();
