#include "game/crafting.h"

CraftingPanel craftingPanel;

void toggleCraftingPanel() { craftingPanel.open = craftingPanel.open ? 0 : 1; }
void resetCraftingCursor() { craftingPanel.selected = 0; }
void resetCrafting() { craftingPanel = CraftingPanel{}; }
