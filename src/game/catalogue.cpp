#include "game/catalogue.h"

#include <array>
#include <cstring>
#include <limits>

#include "world/block_types.h"
#include "world/settings.h"

namespace {

inline constexpr uint8_t kNoIcon = 13;

struct Entry {
    const char* english = "";
    const char* italian = "";
    DigRule dig{};
    ToolStats tool{};
    uint8_t yield = 0;  // 0 = the block itself
    uint8_t icon = kNoIcon;
};

struct Row {
    uint8_t type;
    Entry entry;
};

constexpr DigRule pick(uint8_t hardness, uint8_t minLevel) { return {kPickaxeFamily, hardness, minLevel}; }
constexpr DigRule axe(uint8_t hardness, uint8_t minLevel) { return {kAxeFamily, hardness, minLevel}; }
constexpr DigRule none{};
constexpr ToolStats noTool{};
constexpr ToolStats tool(uint8_t speed, uint8_t level) { return {speed, level}; }

// clang-format off
constexpr Row kRows[] = {
    {1,  {"Cobblestone", "Pietruzza", pick(9, 1), noTool, 0, 0}},
    {2,  {"Dirt", "Terra", pick(5, 1), noTool, 0, 1}},
    {3,  {"Gravel", "Ghiaia", pick(7, 1), noTool, 0, 4}},
    {4,  {"Leaves", "Foglie", axe(5, 1), noTool, 0, 5}},
    {5,  {"Raw wood", "Legno grezzo", axe(11, 1), noTool, 0, 7}},
    {6,  {"Sand", "Sabbia", pick(3, 1), noTool, 0, 8}},
    {7,  {"Stone", "Pietra", pick(11, 1), noTool, 1, 9}},
    {10, {"Wooden planks", "Legno lavorato", axe(9, 1), noTool, 0, 15}},
    {11, {"Scheelite", "Scheelite", pick(17, 2), noTool, 0, 16}},
    {12, {"Hematite", "Ematite", pick(17, 1), noTool, 0, 17}},
    {13, {"Quartz", "Quarzo", pick(17, 2), noTool, 0, 18}},
    {14, {"Argentite", "Argentite", pick(18, 2), noTool, 0, 19}},
    {15, {"Gold ore", "Minerale d'oro", pick(20, 3), noTool, 0, 20}},
    {16, {"Sperrylite", "Sperrylite", pick(22, 6), noTool, 0, 21}},
    {17, {"Saphire ore", "Minerale di zaffiro", pick(25, 3), noTool, 34, 22}},
    {18, {"Ruby ore", "Minerale di rubino", pick(25, 3), noTool, 35, 23}},
    {19, {"Emerald ore", "Minerale di smeraldo", pick(24, 3), noTool, 36, 24}},
    {20, {"Diamond ore", "Minerale di diamante", pick(30, 7), noTool, 37, 25}},
    {21, {"Coal ore", "Minerale di carbone", pick(15, 1), noTool, 38, 26}},
    {22, {"Petroleum ore", "Minerale di petrolio", pick(16, 2), noTool, 39, 27}},
    {23, {"Stick", "Bastone", none, noTool, 0, 28}},
    {24, {"Torch", "Torcia", axe(1, 1), noTool, 0, 29}},
    {25, {"Cuprite", "Cuprite", pick(16, 1), noTool, 0, 89}},
    {26, {"Furnace", "Fornace", pick(15, 1), noTool, 0, 46}},
    {27, {"Crafting table", "Tavolo da lavoro", axe(12, 1), noTool, 0, 49}},
    {28, {"Tungsten ingot", "Lingotto di tungsteno", none, noTool, 0, 50}},
    {29, {"Iron ingot", "Lingotto di ferro", none, noTool, 0, 51}},
    {30, {"Silicon ingot", "Lingotto di silicio", none, noTool, 0, 52}},
    {31, {"Silver ingot", "Lingotto d'argento", none, noTool, 0, 53}},
    {32, {"Gold ingot", "Lingotto d'oro", none, noTool, 0, 54}},
    {33, {"Platinum ingot", "Lingotto di platino", none, noTool, 0, 55}},
    {34, {"Saphire", "Zaffiro", none, noTool, 0, 56}},
    {35, {"Ruby", "Rubino", none, noTool, 0, 57}},
    {36, {"Emerald", "Smeraldo", none, noTool, 0, 58}},
    {37, {"Diamond", "Diamante", none, noTool, 0, 59}},
    {38, {"Coal", "Carbone", none, noTool, 0, 60}},
    {39, {"Petroleum", "Petrolio", none, noTool, 0, 61}},
    {40, {"Copper ingot", "Lingotto di rame", none, noTool, 0, 62}},
    {41, {"Anvil", "Incudine", pick(19, 1), noTool, 0, 64}},
    {42, {"Copper sword", "Spada di rame", none, tool(0, 2), 0, 66}},
    {43, {"Iron sword", "Spada di ferro", none, tool(0, 3), 0, 67}},
    {44, {"Steel sword", "Spada d'acciaio", none, tool(0, 4), 0, 84}},
    {45, {"Silver sword", "Spada d'argento", none, tool(0, 5), 0, 68}},
    {46, {"Golden sword", "Spada d'oro", none, tool(0, 6), 0, 69}},
    {47, {"Platinum sword", "Spada di platino", none, tool(0, 7), 0, 70}},
    {48, {"Wooden sword", "Spada di legno", none, tool(0, 1), 0, 71}},
    {49, {"Copper pickaxe", "Piccone di rame", none, tool(11, 2), 0, 72}},
    {50, {"Iron pickaxe", "Piccone di ferro", none, tool(14, 3), 0, 73}},
    {51, {"Steel pickaxe", "Piccone d'acciaio", none, tool(18, 4), 0, 85}},
    {52, {"Silver pickaxe", "Piccone d'argento", none, tool(17, 5), 0, 74}},
    {53, {"Golden pickaxe", "Piccone d'oro", none, tool(21, 6), 0, 75}},
    {54, {"Platinum pickaxe", "Piccone di platino", none, tool(24, 7), 0, 76}},
    {55, {"Wooden pickaxe", "Piccone di legno", none, tool(9, 1), 0, 77}},
    {56, {"Copper axe", "Ascia di rame", none, tool(12, 2), 0, 78}},
    {57, {"Iron axe", "Ascia di ferro", none, tool(15, 3), 0, 79}},
    {58, {"Steel axe", "Ascia d'acciaio", none, tool(19, 4), 0, 86}},
    {59, {"Silver axe", "Ascia d'argento", none, tool(18, 5), 0, 80}},
    {60, {"Golden axe", "Ascia d'oro", none, tool(23, 6), 0, 81}},
    {61, {"Platinum axe", "Ascia di platino", none, tool(28, 7), 0, 82}},
    {62, {"Wooden axe", "Ascia di legno", none, tool(9, 1), 0, 83}},
    {63, {"Steel ingot", "Lingotto d'acciaio", none, noTool, 0, 87}},
    {64, {"Cementite", "Cementite", pick(18, 1), noTool, 0, 88}},
    {65, {"Copper snippet", "Frammento di rame", none, noTool, 0, 93}},
    {66, {"Tungsten snippet", "Frammento di tungsteno", none, noTool, 0, 94}},
    {67, {"Chest", "Baule", axe(14, 1), noTool, 0, 95}},
    // The same chest facing the other ways: no name or icon of their own.
    {68, {"", "", axe(14, 1), noTool, 67, kNoIcon}},
    {69, {"", "", axe(14, 1), noTool, 67, kNoIcon}},
    {70, {"", "", axe(14, 1), noTool, 67, kNoIcon}},
    {71, {"Diamond pickaxe", "Piccone di diamante", none, tool(26, 8), 0, 98}},
    {72, {"Silica", "Silice", none, noTool, 0, 99}},
    {73, {"Glass", "Vetro", axe(9, 1), noTool, 0, 100}},
};
// clang-format on

constexpr std::array<Entry, 256> buildTable() {
    std::array<Entry, 256> table{};
    for (const Row& row : kRows) table[row.type] = row.entry;
    return table;
}

constexpr std::array<Entry, 256> kCatalogue = buildTable();

}  // namespace

const char* englishName(uint8_t type) { return kCatalogue[type].english; }

const char* localName(uint8_t type, const Settings& settings) {
    return tr(settings, kCatalogue[type].english, kCatalogue[type].italian);
}

void itemName(uint8_t type, const Settings& settings, char* buffer) {
    std::strcpy(buffer, localName(type, settings));
}

uint8_t iconTexture(uint8_t type) { return kCatalogue[type].icon; }
const DigRule& digRule(uint8_t type) { return kCatalogue[type].dig; }
const ToolStats& toolStats(uint8_t type) { return kCatalogue[type].tool; }

uint8_t dugYield(uint8_t type) {
    return kCatalogue[type].yield != 0 ? kCatalogue[type].yield : type;
}

bool isItemOnly(uint8_t type) {
    return type == 23 || (type >= 28 && type <= 40) || (type >= 42 && type <= 63) || type == 71 ||
           type == 72;
}
bool isSword(uint8_t type) { return type >= 42 && type <= 48; }
bool isPickaxe(uint8_t type) { return (type >= 49 && type <= 55) || type == 71; }
bool isAxe(uint8_t type) { return type >= 56 && type <= 62; }
bool isTorch(uint8_t type) { return block::isTorch(type); }
bool rejectsTorch(uint8_t type) { return type == 24 || type == 73; }
bool isChest(uint8_t type) { return block::isChest(type); }

bool canDig(uint8_t blockType, uint8_t toolType) {
    const DigRule& rule = digRule(blockType);
    const bool rightFamily = (rule.tool == kPickaxeFamily && isPickaxe(toolType)) ||
                             (rule.tool == kAxeFamily && isAxe(toolType));
    return rightFamily && toolStats(toolType).level >= rule.minLevel;
}

float digTimeMs(uint8_t blockType, uint8_t toolType) {
    // Never done: a caller that skips canDig must not get an instant dig.
    if (!canDig(blockType, toolType)) return std::numeric_limits<float>::infinity();
    return float(digRule(blockType).hardness) * 100.0f / (float(toolStats(toolType).speed) / 10.0f);
}
