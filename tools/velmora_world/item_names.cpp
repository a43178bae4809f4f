// The tool's own copy of the English item names, until the game's catalogue
// module offers them.
#include "commands.h"

namespace {

constexpr const char* kNames[74] = {
    nullptr,          "Cobblestone",     "Dirt",           "Gravel",
    "Leaves",         "Raw wood",        "Sand",           "Stone",
    nullptr,          nullptr,           "Wooden planks",  "Scheelite",
    "Hematite",       "Quartz",          "Argentite",      "Gold ore",
    "Sperrylite",     "Saphire ore",     "Ruby ore",       "Emerald ore",
    "Diamond ore",    "Coal ore",        "Petroleum ore",  "Stick",
    "Torch",          "Cuprite",         "Furnace",        "Crafting table",
    "Tungsten ingot", "Iron ingot",      "Silicon ingot",  "Silver ingot",
    "Gold ingot",     "Platinum ingot",  "Saphire",        "Ruby",
    "Emerald",        "Diamond",         "Coal",           "Petroleum",
    "Copper ingot",   "Anvil",           "Copper sword",   "Iron sword",
    "Steel sword",    "Silver sword",    "Golden sword",   "Platinum sword",
    "Wooden sword",   "Copper pickaxe",  "Iron pickaxe",   "Steel pickaxe",
    "Silver pickaxe", "Golden pickaxe",  "Platinum pickaxe", "Wooden pickaxe",
    "Copper axe",     "Iron axe",        "Steel axe",      "Silver axe",
    "Golden axe",     "Platinum axe",    "Wooden axe",     "Steel ingot",
    "Cementite",      "Copper snippet",  "Tungsten snippet", "Chest",
    nullptr,          nullptr,           nullptr,          "Diamond pickaxe",
    "Silica",         "Glass",
};

}  // namespace

const char* typeName(uint8_t type) { return type < 74 ? kNames[type] : nullptr; }
