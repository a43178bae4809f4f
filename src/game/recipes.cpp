#include "game/recipes.h"

namespace {

// Item types the recipes use, by name.
enum : uint8_t {
    Cobblestone = 1,
    RawWood = 5,
    Sand = 6,
    WoodenPlanks = 10,
    Scheelite = 11,
    Hematite = 12,
    Quartz = 13,
    Argentite = 14,
    GoldOre = 15,
    Sperrylite = 16,
    Stick = 23,
    Torch = 24,
    Cuprite = 25,
    Furnace = 26,
    CraftingTable = 27,
    TungstenIngot = 28,
    IronIngot = 29,
    SiliconIngot = 30,
    SilverIngot = 31,
    GoldIngot = 32,
    PlatinumIngot = 33,
    Diamond = 37,
    Coal = 38,
    Petroleum = 39,
    CopperIngot = 40,
    Anvil = 41,
    CopperSword = 42,
    IronSword = 43,
    SteelSword = 44,
    SilverSword = 45,
    GoldenSword = 46,
    PlatinumSword = 47,
    WoodenSword = 48,
    CopperPickaxe = 49,
    IronPickaxe = 50,
    SteelPickaxe = 51,
    SilverPickaxe = 52,
    GoldenPickaxe = 53,
    PlatinumPickaxe = 54,
    WoodenPickaxe = 55,
    CopperAxe = 56,
    IronAxe = 57,
    SteelAxe = 58,
    SilverAxe = 59,
    GoldenAxe = 60,
    PlatinumAxe = 61,
    WoodenAxe = 62,
    SteelIngot = 63,
    Cementite = 64,
    CopperSnippet = 65,
    TungstenSnippet = 66,
    Chest = 67,
    DiamondPickaxe = 71,
    Silica = 72,
    Glass = 73,
};

// `count` units of `result` from the ingredients, in the order they are taken.
template <typename... Pairs>
constexpr Recipe make(uint8_t count, uint8_t result, Pairs... pairs) {
    static_assert(sizeof...(pairs) >= 1 && sizeof...(pairs) <= kMaxIngredients);
    Recipe r{};
    const Ingredient list[] = {pairs...};
    for (int i = 0; i < int(sizeof...(pairs)); ++i) r.ingredients[i] = list[i];
    r.result = result;
    r.resultCount = count;
    r.ingredientCount = uint8_t(sizeof...(pairs));
    return r;
}

constexpr Ingredient of(uint8_t count, uint8_t type) {
    return Ingredient{type, count};
}

// clang-format off
constexpr Recipe kHand[] = {
    make(1, CraftingTable, of(4, RawWood)),
    make(5, Torch, of(1, Stick), of(1, Coal)),
};

constexpr Recipe kCraftingTable[] = {
    make(1, Furnace, of(12, Cobblestone), of(2, RawWood)),
    make(3, WoodenPlanks, of(1, RawWood)),
    make(1, WoodenSword, of(5, RawWood)),
    make(1, Stick, of(2, WoodenPlanks)),
    make(1, WoodenPickaxe, of(7, RawWood), of(2, Stick)),
    make(1, WoodenAxe, of(5, RawWood), of(2, Stick)),
    make(1, Chest, of(4, RawWood), of(1, IronIngot)),
};

// Ores melt with coal or, at half the fuel, with petroleum.
constexpr Recipe kFurnace[] = {
    make(2, TungstenIngot, of(3, Scheelite), of(2, Coal)),
    make(2, SiliconIngot, of(3, Quartz), of(2, Coal)),
    make(2, CopperIngot, of(3, Cuprite), of(2, Coal)),
    make(2, IronIngot, of(3, Hematite), of(2, Coal)),
    make(2, SilverIngot, of(2, Argentite), of(2, Coal)),
    make(2, GoldIngot, of(2, GoldOre), of(3, CopperSnippet), of(2, Coal)),
    make(2, PlatinumIngot, of(2, Sperrylite), of(2, Coal)),
    make(2, TungstenIngot, of(3, Scheelite), of(1, Petroleum)),
    make(2, SiliconIngot, of(3, Quartz), of(1, Petroleum)),
    make(2, CopperIngot, of(3, Cuprite), of(1, Petroleum)),
    make(2, IronIngot, of(3, Hematite), of(1, Petroleum)),
    make(2, SilverIngot, of(2, Argentite), of(1, Petroleum)),
    make(2, GoldIngot, of(2, GoldOre), of(3, CopperSnippet), of(1, Petroleum)),
    make(2, PlatinumIngot, of(2, Sperrylite), of(1, Petroleum)),
    make(1, Anvil, of(9, IronIngot)),
    make(2, SteelIngot, of(2, Hematite), of(1, Cementite), of(1, CopperSnippet), of(2, TungstenSnippet), of(2, Coal)),
    make(2, SteelIngot, of(2, Hematite), of(1, Cementite), of(1, CopperSnippet), of(2, TungstenSnippet), of(1, Petroleum)),
    make(2, SteelIngot, of(2, IronIngot), of(1, Cementite), of(1, CopperSnippet), of(2, TungstenSnippet), of(2, Coal)),
    make(2, SteelIngot, of(2, IronIngot), of(1, Cementite), of(1, CopperSnippet), of(2, TungstenSnippet), of(1, Petroleum)),
    make(9, CopperSnippet, of(2, CopperIngot)),
    make(2, CopperIngot, of(9, CopperSnippet)),
    make(9, TungstenSnippet, of(2, TungstenIngot)),
    make(2, TungstenIngot, of(9, TungstenSnippet)),
    make(2, Silica, of(2, Quartz)),
    make(2, Silica, of(5, Sand)),
    make(3, Glass, of(1, Silica)),
};

constexpr Recipe kAnvil[] = {
    make(1, CopperSword, of(6, CopperIngot)),
    make(1, IronSword, of(6, IronIngot)),
    make(1, SilverSword, of(6, SilverIngot)),
    make(1, GoldenSword, of(7, GoldIngot)),
    make(1, PlatinumSword, of(7, PlatinumIngot)),
    make(1, CopperPickaxe, of(8, CopperIngot), of(2, Stick)),
    make(1, IronPickaxe, of(8, IronIngot), of(2, Stick)),
    make(1, SilverPickaxe, of(8, SilverIngot), of(2, Stick)),
    make(1, GoldenPickaxe, of(9, GoldIngot), of(2, Stick)),
    make(1, PlatinumPickaxe, of(9, PlatinumIngot), of(2, Stick)),
    make(1, CopperAxe, of(6, CopperIngot), of(2, Stick)),
    make(1, IronAxe, of(6, IronIngot), of(2, Stick)),
    make(1, SilverAxe, of(6, SilverIngot), of(2, Stick)),
    make(1, GoldenAxe, of(7, GoldIngot), of(2, Stick)),
    make(1, PlatinumAxe, of(7, PlatinumIngot), of(2, Stick)),
    make(1, SteelSword, of(6, SteelIngot)),
    make(1, SteelPickaxe, of(8, SteelIngot), of(2, Stick)),
    make(1, SteelAxe, of(6, SteelIngot), of(2, Stick)),
    // The best pickaxe is made from the platinum one.
    make(1, DiamondPickaxe, of(1, PlatinumPickaxe), of(5, PlatinumIngot), of(8, Diamond), of(20, SteelIngot)),
};
// clang-format on

template <int N>
constexpr RecipeList listOf(const Recipe (&recipes)[N]) {
    return RecipeList{recipes, N};
}

constexpr RecipeList kLists[kStationCount] = {listOf(kHand), listOf(kCraftingTable),
                                              listOf(kFurnace), listOf(kAnvil)};

static_assert(kLists[0].count + kLists[1].count + kLists[2].count + kLists[3].count ==
              kRecipeCount);

}  // namespace

RecipeList recipeList(Station station) {
    return kLists[int(station)];
}
