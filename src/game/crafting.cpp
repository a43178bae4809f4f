#include "game/crafting.h"

#include <algorithm>

#include "game/frame_clock.h"
#include "game/input.h"
#include "game/inventory.h"
#include "game/player.h"
#include "platform/keys.h"
#include "world/block_types.h"
#include "world/world.h"

CraftingPanel craftingPanel;

namespace {

constexpr int kStationReach = 3;         // cells on each side of the player
constexpr int32_t kCraftRepeatMs = 150;  // Enter repeats faster than the other keys

// Items of each type across cells 0..35.
struct Totals {
    int count[256] = {};
};

Totals inventoryTotals() {
    Totals t;
    for (int c = 0; c < kInventoryCells; ++c)
        if (world.slots[c].type != 0) t.count[world.slots[c].type] += world.slots[c].count;
    return t;
}

bool holds(const Totals& totals, const Recipe& recipe) {
    for (int i = 0; i < recipe.ingredientCount && i < kMaxIngredients; ++i) {
        const Ingredient& in = recipe.ingredients[i];
        if (totals.count[in.type] < in.count) return false;
    }
    return true;
}

// Takes `need` items of `type`, lowest cells first.
void take(uint8_t type, int need) {
    for (int c = 0; c < kInventoryCells && need > 0; ++c) {
        ItemStack& s = world.slots[c];
        if (s.type != type) continue;
        if (s.count >= need) {
            s.count = uint8_t(s.count - need);
            if (s.count == 0) s = ItemStack{0, 0};
            return;
        }
        need -= s.count;
        s = ItemStack{0, 0};
    }
}

void clampSelection() {
    int32_t& selected = craftingPanel.selected;
    selected = std::max(selected, 0);
    selected = std::min(selected, craftingPanel.candidateCount - 1);
}

}  // namespace

void toggleCraftingPanel() {
    craftingPanel.open = craftingPanel.open ? 0 : 1;
}
void resetCraftingCursor() {
    craftingPanel.selected = 0;
}

StationsNear findStations(const Vec3& position) {
    StationsNear found;
    if (!world.cells) return found;
    const int px = int(position.x), py = int(position.y), pz = int(position.z);
    const int x0 = std::max(px - kStationReach, 0),
              x1 = std::min(px + kStationReach, kWorldSizeX - 1);
    const int y0 = std::max(py - kStationReach, 0),
              y1 = std::min(py + kStationReach, kWorldSizeY - 1);
    const int z0 = std::max(pz - kStationReach, 0),
              z1 = std::min(pz + kStationReach, kWorldSizeZ - 1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            const Cell* row = &cell(x, y, 0);
            for (int z = z0; z <= z1; ++z) {
                switch (row[z].type) {
                    case block::CraftingTable:
                        found.craftingTable = true;
                        break;
                    case block::Furnace:
                        found.furnace = true;
                        break;
                    case block::Anvil:
                        found.anvil = true;
                        break;
                    default:
                        break;
                }
            }
        }
    return found;
}

bool inventoryHolds(const Recipe& recipe) {
    return holds(inventoryTotals(), recipe);
}

void buildCandidates() {
    const StationsNear near = findStations(player.Position);
    const bool available[kStationCount] = {true, near.craftingTable, near.furnace, near.anvil};
    const Totals totals = inventoryTotals();
    craftingPanel.candidateCount = 0;
    for (int s = 0; s < kStationCount; ++s) {
        if (!available[s]) continue;
        const RecipeList list = recipeList(Station(s));
        for (int i = 0; i < list.count; ++i)
            if (holds(totals, list.recipes[i]))
                craftingPanel.candidates[craftingPanel.candidateCount++] = list.recipes[i];
    }
    // A shorter list (a station left behind, items used up) keeps the cursor
    // on it; an empty one leaves it at -1 until the list fills again.
    clampSelection();
}

void updateCraftingKeys() {
    if (held(key::Up) && gateOpen()) {
        --craftingPanel.selected;
        gateFired();
    }
    if (held(key::Down) && gateOpen()) {
        ++craftingPanel.selected;
        gateFired();
    }
    clampSelection();
    if (held(key::Return) && gateOpenAfter(kCraftRepeatMs) && craftSelected()) gateFired();
}

bool craftSelected() {
    const int32_t selected = craftingPanel.selected;
    if (selected < 0 || selected >= craftingPanel.candidateCount) return false;
    // Counted now: the display's count is not kept up while it is hidden.
    if (countFreeCells() == 0) return false;
    const Recipe recipe = craftingPanel.candidates[selected];
    // The list is rebuilt only while the panel is drawn: with the display
    // hidden it can be out of date, so the ingredients are checked again.
    if (!inventoryHolds(recipe)) return false;
    for (int i = 0; i < recipe.ingredientCount && i < kMaxIngredients; ++i)
        take(recipe.ingredients[i].type, recipe.ingredients[i].count);
    for (int u = 0; u < recipe.resultCount; ++u) addOneItem(recipe.result);
    return true;
}

void resetCrafting() {
    craftingPanel = CraftingPanel{};
}
