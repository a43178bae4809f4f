// Crafting: the rules every recipe keeps, stations found around the player,
// the candidate list and its cursor, and making a recipe.
#include <string>
#include <utility>
#include <vector>

#include "game/catalogue.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "game/inventory.h"
#include "game/play_scene.h"
#include "platform/keys.h"
#include "world/block_types.h"

namespace {

std::string describe(const Recipe& r) {
    std::string text = std::to_string(r.resultCount) + " " + englishName(r.result) + " =";
    for (int i = 0; i < r.ingredientCount; ++i)
        text += std::string(i ? "," : "") + " " + std::to_string(r.ingredients[i].count) + " " +
                englishName(r.ingredients[i].type);
    return text;
}

TEST(Recipes, EveryRecipeIsWellFormedAndNamesOnlyCataloguedItems) {
    int total = 0;
    for (int s = 0; s < kStationCount; ++s) {
        const RecipeList list = recipeList(Station(s));
        total += list.count;
        for (int i = 0; i < list.count; ++i) {
            const Recipe& r = list.recipes[i];
            SCOPED_TRACE(describe(r));
            EXPECT_STRNE(englishName(r.result), "");
            EXPECT_GE(r.resultCount, 1);
            ASSERT_GE(r.ingredientCount, 1);
            ASSERT_LE(r.ingredientCount, kMaxIngredients);
            for (int k = 0; k < kMaxIngredients; ++k) {
                const Ingredient& in = r.ingredients[k];
                if (k >= r.ingredientCount) {
                    // The pairs past the count are empty.
                    EXPECT_EQ(in.type, 0);
                    EXPECT_EQ(in.count, 0);
                    continue;
                }
                EXPECT_STRNE(englishName(in.type), "");
                EXPECT_GE(in.count, 1);
                EXPECT_LE(in.count, maxStack);  // one cell could hold it
                for (int j = 0; j < k; ++j) EXPECT_NE(r.ingredients[j].type, in.type);
            }
        }
    }
    EXPECT_EQ(total, kRecipeCount);
}

TEST(Recipes, NoListOffersTheSameRecipeTwice) {
    for (int s = 0; s < kStationCount; ++s) {
        const RecipeList list = recipeList(Station(s));
        for (int i = 0; i < list.count; ++i)
            for (int j = 0; j < i; ++j)
                EXPECT_NE(describe(list.recipes[i]), describe(list.recipes[j]))
                    << "station " << s << ", recipes " << j << " and " << i;
    }
}

TEST(Recipes, EveryStationCanBeMadeWithoutItselfFromTheHandsUp) {
    // Hands make the table, the table the furnace, the furnace the anvil:
    // each station comes from a list open before it stands.
    const std::pair<uint8_t, Station> made[] = {{block::CraftingTable, Station::Hand},
                                                {block::Furnace, Station::CraftingTable},
                                                {block::Anvil, Station::Furnace}};
    for (const auto& [station, from] : made) {
        const RecipeList list = recipeList(from);
        bool found = false;
        for (int i = 0; i < list.count; ++i) found |= list.recipes[i].result == station;
        EXPECT_TRUE(found) << englishName(station);
    }
}

class Crafting : public PlayScene {
   protected:
    void SetUp() override {
        PlayScene::SetUp();
        play.player.Position = Vec3{kX + 0.7f, kY + 0.9f, kZ + 0.2f};  // truncates to (kX, kY, kZ)
    }
    std::vector<std::string> candidates() const {
        std::vector<std::string> out;
        for (int i = 0; i < play.crafting.candidateCount; ++i)
            out.push_back(describe(play.crafting.candidates[i]));
        return out;
    }
    void give(int cell, uint8_t type, uint8_t count) { world.slots[cell] = ItemStack{type, count}; }
    // Enter held in the update at time t.
    void enterAt(int32_t t) { keyAt(key::Return, t); }
    // One key held in the update at time t.
    void keyAt(uint8_t k, int32_t t) {
        updateCraftingKeys(world, play.crafting, frameAt(t, {k}), gate, events);
    }
    void buildCandidates() { ::buildCandidates(world, play.crafting, play.player.Position); }
    bool craftSelected() { return ::craftSelected(world, play.crafting); }
};

TEST_F(Crafting, StationsCountWithinThreeCellsOnEveryAxisWhateverStandsBetween) {
    EXPECT_FALSE(findStations(world, play.player.Position).craftingTable);
    put(kX + 3, kY - 3, kZ + 3, 27);
    put(kX - 4, kY, kZ, 26);  // four cells away: too far
    put(kX, kY + 4, kZ, 41);
    StationsNear near = findStations(world, play.player.Position);
    EXPECT_TRUE(near.craftingTable);
    EXPECT_FALSE(near.furnace);
    EXPECT_FALSE(near.anvil);
    put(kX - 3, kY, kZ, 26);
    put(kX - 2, kY, kZ, 1);  // a wall in between does not matter
    put(kX, kY + 3, kZ, 41);
    near = findStations(world, play.player.Position);
    EXPECT_TRUE(near.furnace);
    EXPECT_TRUE(near.anvil);

    // At the world's corner the cube is cut off, not read out of bounds.
    put(0, 0, 0, 27);
    EXPECT_TRUE(findStations(world, Vec3{0.2f, 0.3f, 0.4f}).craftingTable);
    EXPECT_FALSE(findStations(world, Vec3{-500.0f, -900.0f, 2000.0f}).craftingTable);
}

TEST_F(Crafting, CandidatesGoHandTableFurnaceAnvilAndOnlyWhatTheInventoryHolds) {
    give(0, 5, 7);  // raw wood, in two cells
    give(20, 5, 5);
    give(1, 23, 2);  // sticks
    give(2, 38, 1);  // coal
    give(3, 25, 3);  // cuprite
    give(4, 40, 8);  // copper ingots
    give(5, 65, 9);  // copper snippets
    buildCandidates();
    EXPECT_EQ(candidates(), (std::vector<std::string>{"1 Crafting table = 4 Raw wood",
                                                      "5 Torch = 1 Stick, 1 Coal"}));
    put(kX + 1, kY, kZ, 26);
    put(kX, kY - 1, kZ, 27);
    put(kX, kY, kZ + 2, 41);
    buildCandidates();
    EXPECT_EQ(candidates(),
              (std::vector<std::string>{
                  "1 Crafting table = 4 Raw wood",
                  "5 Torch = 1 Stick, 1 Coal",
                  "3 Wooden planks = 1 Raw wood",
                  "1 Wooden sword = 5 Raw wood",
                  "1 Wooden pickaxe = 7 Raw wood, 2 Stick",  // 12 raw wood over two cells
                  "1 Wooden axe = 5 Raw wood, 2 Stick",
                  "9 Copper snippet = 2 Copper ingot",
                  "2 Copper ingot = 9 Copper snippet",  // the same result, separately
                  "1 Copper sword = 6 Copper ingot",
                  "1 Copper pickaxe = 8 Copper ingot, 2 Stick",
                  "1 Copper axe = 6 Copper ingot, 2 Stick",
              }));
}

TEST_F(Crafting, TheCursorIsClampedToTheListAndWaitsAtMinusOneWhileItIsEmpty) {
    give(0, 5, 12);
    give(1, 23, 2);
    put(kX + 3, kY, kZ, 27);
    buildCandidates();
    ASSERT_EQ(play.crafting.candidateCount, 5);
    play.crafting.selected = 4;
    // Walking away from the table leaves the hand's one recipe.
    play.player.Position.x -= 1.0f;
    buildCandidates();
    EXPECT_EQ(play.crafting.candidateCount, 1);
    EXPECT_EQ(play.crafting.selected, 0);
    world.slots[0] = ItemStack{0, 0};
    buildCandidates();
    EXPECT_EQ(play.crafting.selected, -1);
    give(0, 5, 4);
    buildCandidates();
    EXPECT_EQ(play.crafting.selected, 0);

    // Up and Down step through the shared 250 ms gate and stop at the ends.
    play.player.Position.x += 1.0f;
    give(0, 5, 12);
    buildCandidates();
    keyAt(key::Down, 1000);
    keyAt(key::Down, 1100);
    EXPECT_EQ(play.crafting.selected, 1);
    keyAt(key::Down, 1250);
    EXPECT_EQ(play.crafting.selected, 2);
    for (int32_t t = 1500; t < 4000; t += 250) keyAt(key::Down, t);
    EXPECT_EQ(play.crafting.selected, 4);
    keyAt(key::Up, 4000);
    EXPECT_EQ(play.crafting.selected, 3);
    for (int32_t t = 4250; t < 7000; t += 250) keyAt(key::Up, t);
    EXPECT_EQ(play.crafting.selected, 0);
}

TEST_F(Crafting, IngredientsComeFromTheLowestCellsFirstAndTheResultUnitByUnit) {
    give(3, 5, 2);
    give(7, 5, 5);
    buildCandidates();
    ASSERT_EQ(candidates().front(), "1 Crafting table = 4 Raw wood");
    play.crafting.selected = 0;
    EXPECT_TRUE(craftSelected());
    EXPECT_EQ(world.slots[3].type, 0);
    EXPECT_EQ(world.slots[3].count, 0);
    EXPECT_EQ(world.slots[7].count, 3);
    EXPECT_EQ(world.slots[0].type, 27);
    EXPECT_EQ(world.slots[0].count, 1);

    // Nine snippets from two ingots all go into the one free cell.
    fillInventory(1, 250);
    give(12, 40, 2);
    give(30, 0, 0);
    put(kX, kY, kZ + 1, 26);
    buildCandidates();
    play.crafting.selected = 0;
    ASSERT_EQ(candidates()[0], "9 Copper snippet = 2 Copper ingot");
    EXPECT_TRUE(craftSelected());
    EXPECT_EQ(world.slots[12].type, 65);  // the ingots' cell was freed first
    EXPECT_EQ(world.slots[12].count, 9);
    EXPECT_EQ(world.slots[30].type, 0);
}

TEST_F(Crafting, TheDiamondPickaxeUsesUpThePlatinumOne) {
    give(0, 54, 1);
    give(1, 33, 5);
    give(2, 37, 8);
    give(3, 63, 25);
    put(kX, kY - 2, kZ, 41);
    buildCandidates();
    ASSERT_EQ(play.crafting.candidateCount, 2);  // after a steel sword
    play.crafting.selected = 1;
    ASSERT_EQ(candidates()[1].rfind("1 Diamond pickaxe", 0), 0u) << candidates()[1];
    EXPECT_TRUE(craftSelected());
    EXPECT_EQ(world.slots[0].type, 71);
    EXPECT_EQ(world.slots[1].type, 0);
    EXPECT_EQ(world.slots[2].type, 0);
    EXPECT_EQ(world.slots[3].count, 5);
    EXPECT_EQ(countFreeCells(world), 34);
}

TEST_F(Crafting, NothingIsMadeWithAFullInventoryOrWithoutAllTheIngredients) {
    fillInventory(5, 200);  // plenty of raw wood, and no empty cell
    give(4, 27, 1);         // a crafting table the result could stack onto
    buildCandidates();
    play.crafting.selected = 0;
    EXPECT_FALSE(craftSelected());
    EXPECT_EQ(world.slots[4].count, 1);
    EXPECT_EQ(world.slots[0].count, 200);

    // The list was made while the display showed it; since then the display
    // was hidden and the wood went elsewhere.
    std::fill(std::begin(world.slots), std::end(world.slots), ItemStack{0, 0});
    give(9, 5, 4);
    buildCandidates();
    ASSERT_EQ(play.crafting.candidateCount, 1);
    give(9, 5, 3);
    EXPECT_FALSE(craftSelected());
    EXPECT_EQ(world.slots[9].count, 3);
    EXPECT_EQ(countFreeCells(world), 35);
    // With the wood back it is made from the very same list.
    give(10, 5, 1);
    EXPECT_TRUE(craftSelected());
    EXPECT_EQ(countFreeCells(world), 35);
    EXPECT_EQ(world.slots[0].type, 27);
}

TEST_F(Crafting, EnterCraftsAgainAfter150MsOnTheSharedGate) {
    give(0, 5, 250);
    buildCandidates();
    gate.lastActionTime = 1000;
    enterAt(1149);
    EXPECT_EQ(world.slots[0].count, 250);
    enterAt(1150);
    EXPECT_EQ(world.slots[0].count, 246);
    EXPECT_EQ(gate.lastActionTime, 1150);
    enterAt(1299);
    enterAt(1300);
    EXPECT_EQ(world.slots[0].count, 242);
    EXPECT_EQ(world.slots[1].count, 2);
    // An empty list never crafts nor uses the gate.
    world.slots[0] = ItemStack{0, 0};
    buildCandidates();
    enterAt(2000);
    EXPECT_EQ(gate.lastActionTime, 1300);
}

}  // namespace
