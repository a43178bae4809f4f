// The item catalogue: for every block and item type its names in both
// languages, whether it can be placed, how it is dug, what a tool made of it
// digs like, what digging it yields and which icon shows it. Fixed tables.
#pragma once

#include <cstdint>

#include "world/settings.h"

// Room for the longest name ("Frammento di tungsteno", 22) and its terminator.
inline constexpr int kItemNameMax = 32;

enum ToolFamily : uint8_t {
    kNoTool = 0,
    kPickaxeFamily = 1,
    kAxeFamily = 3,
};

struct DigRule {
    uint8_t tool;      // ToolFamily that digs it; kNoTool = cannot be dug
    uint8_t hardness;
    uint8_t minLevel;  // lowest tool level that digs it
};

struct ToolStats {
    uint8_t speed;  // 0 for swords: they never dig
    uint8_t level;
};

// Writes the name in the language of `settings` into buffer ("" for unnamed types).
void itemName(uint8_t type, const Settings& settings, char* buffer);
// The name in the language of `settings` ("" for unnamed types).
const char* localName(uint8_t type, const Settings& settings);
const char* englishName(uint8_t type);

// The inventory icon's texture; 13 (the dark square) for types without one.
uint8_t iconTexture(uint8_t type);

const DigRule& digRule(uint8_t type);
const ToolStats& toolStats(uint8_t type);
// What digging a block of this type puts into the inventory.
uint8_t dugYield(uint8_t type);

bool isItemOnly(uint8_t type);  // carried only: placing it is refused
bool isSword(uint8_t type);
bool isPickaxe(uint8_t type);
bool isAxe(uint8_t type);
bool isTorch(uint8_t type);
// Torches do not stay fixed to these (a torch, glass).
bool rejectsTorch(uint8_t type);
// One chest placed facing -z, -x, +x or +z.
bool isChest(uint8_t type);

// A block can be dug only with a tool of its family whose level reaches the
// block's minimum; empty hands and swords never dig.
bool canDig(uint8_t blockType, uint8_t toolType);
// Milliseconds a dig takes: hardness * 1000 / speed (infinite when it cannot be dug).
float digTimeMs(uint8_t blockType, uint8_t toolType);
