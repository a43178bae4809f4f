// The recipes: four fixed lists, one for the hands and one for each crafting
// station, 54 recipes in all. A recipe is a list of ingredient types with
// counts and a result; there is no grid and no shape.
#pragma once

#include <cstdint>

inline constexpr int kMaxIngredients = 5;

struct Ingredient {
    uint8_t type;
    uint8_t count;
};

// 13 bytes: five ingredient pairs (the unused ones 0, 0), the result type,
// the units one craft makes and the number of ingredients in use.
struct Recipe {
    Ingredient ingredients[kMaxIngredients];
    uint8_t result;
    uint8_t resultCount;
    uint8_t ingredientCount;
};
static_assert(sizeof(Recipe) == 13);

// The lists in the order the crafting panel shows them.
enum class Station : uint8_t { Hand, CraftingTable, Furnace, Anvil };
inline constexpr int kStationCount = 4;
inline constexpr int kRecipeCount = 54;

struct RecipeList {
    const Recipe* recipes;
    int count;
};

RecipeList recipeList(Station station);
