#include "game/crafting.h"

#include <algorithm>

#include "game/inventory.h"
#include "platform/keys.h"
#include "world/block_types.h"
#include "world/world.h"

namespace {

constexpr int kStationReach = 3;         // cells on each side of the player
constexpr int32_t kCraftRepeatMs = 150;  // Enter repeats faster than the other keys

// Items of each type across cells 0..35.
struct Totals {
    int count[256] = {};
};

Totals inventoryTotals(const World& world) {
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
void take(World& world, uint8_t type, int need) {
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

void clampSelection(CraftingPanel& panel) {
    panel.selected = std::max(panel.selected, 0);
    panel.selected = std::min(panel.selected, panel.candidateCount - 1);
}

}  // namespace

void toggleCraftingPanel(CraftingPanel& panel) {
    panel.open = panel.open ? 0 : 1;
}
void resetCraftingCursor(CraftingPanel& panel) {
    panel.selected = 0;
}

StationsNear findStations(const World& world, const Vec3& position) {
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
            const Cell* row = &cell(world, x, y, 0);
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

bool inventoryHolds(const World& world, const Recipe& recipe) {
    return holds(inventoryTotals(world), recipe);
}

void buildCandidates(const World& world, CraftingPanel& panel, const Vec3& position) {
    const StationsNear near = findStations(world, position);
    const bool available[kStationCount] = {true, near.craftingTable, near.furnace, near.anvil};
    const Totals totals = inventoryTotals(world);
    int32_t count = 0;
    for (int s = 0; s < kStationCount; ++s) {
        if (!available[s]) continue;
        const RecipeList list = recipeList(Station(s));
        for (int i = 0; i < list.count; ++i)
            if (holds(totals, list.recipes[i])) panel.candidates[count++] = list.recipes[i];
    }
    panel.candidateCount = count;
    // A shorter list (a station left behind, items used up) keeps the cursor
    // on it; an empty one leaves it at -1 until the list fills again.
    clampSelection(panel);
}

void updateCraftingKeys(World& world, CraftingPanel& panel, const Frame& frame, ActionGate& gate,
                        Events& events) {
    if (held(frame, key::Up) && gateOpen(gate, frame)) {
        --panel.selected;
        gateFired(gate, frame);
    }
    if (held(frame, key::Down) && gateOpen(gate, frame)) {
        ++panel.selected;
        gateFired(gate, frame);
    }
    clampSelection(panel);
    if (held(frame, key::Return) && gateOpen(gate, frame, kCraftRepeatMs) &&
        craftSelected(world, panel)) {
        const Recipe& made = panel.candidates[panel.selected];
        events.add({EventKind::Crafted, made.result, {}, float(made.resultCount)});
        gateFired(gate, frame);
    }
}

bool craftSelected(World& world, const CraftingPanel& panel) {
    const int32_t selected = panel.selected;
    if (selected < 0 || selected >= panel.candidateCount) return false;
    // Counted now: the display's count is not kept up while it is hidden.
    if (countFreeCells(world) == 0) return false;
    const Recipe recipe = panel.candidates[selected];
    // The list is rebuilt only while the panel is drawn: with the display
    // hidden it can be out of date, so the ingredients are checked again.
    if (!inventoryHolds(world, recipe)) return false;
    for (int i = 0; i < recipe.ingredientCount && i < kMaxIngredients; ++i)
        take(world, recipe.ingredients[i].type, recipe.ingredients[i].count);
    for (int u = 0; u < recipe.resultCount; ++u) addOneItem(world, recipe.result);
    return true;
}
