// The crafting panel over the world: the candidates around the cursor as
// icons in a column, the selected recipe's ingredients beside it and its
// text above, or a line saying there is nothing to craft.
#pragma once

#include "game/crafting.h"
#include "world/settings.h"

// Draws the candidate list as buildCandidates left it.
void drawCraftingPanel(const Settings& settings, const CraftingPanel& panel);
