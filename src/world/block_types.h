// Block type numbers: one byte names every block and item, in the grid, the
// inventory and the recipes alike (0 = air, or an empty cell). The names,
// dig rules and icons of each type are the item catalogue's (game floor).
#pragma once

#include <cstdint>

namespace block {

inline constexpr uint8_t Air = 0;
inline constexpr uint8_t Cobblestone = 1;
inline constexpr uint8_t Dirt = 2;  // aux 1 = grass on top
inline constexpr uint8_t Gravel = 3;
inline constexpr uint8_t Leaves = 4;
inline constexpr uint8_t RawWood = 5;
inline constexpr uint8_t Sand = 6;
inline constexpr uint8_t Stone = 7;
inline constexpr uint8_t WoodenPlanks = 10;
inline constexpr uint8_t Scheelite = 11;
inline constexpr uint8_t Hematite = 12;
inline constexpr uint8_t Quartz = 13;
inline constexpr uint8_t Argentite = 14;
inline constexpr uint8_t GoldOre = 15;
inline constexpr uint8_t Sperrylite = 16;
inline constexpr uint8_t SaphireOre = 17;
inline constexpr uint8_t RubyOre = 18;
inline constexpr uint8_t EmeraldOre = 19;
inline constexpr uint8_t DiamondOre = 20;
inline constexpr uint8_t CoalOre = 21;
inline constexpr uint8_t PetroleumOre = 22;
inline constexpr uint8_t Stick = 23;
inline constexpr uint8_t Torch = 24;  // aux = the side it is fixed to
inline constexpr uint8_t Cuprite = 25;
inline constexpr uint8_t Furnace = 26;  // aux = the side its front faces
inline constexpr uint8_t CraftingTable = 27;
inline constexpr uint8_t IronIngot = 29;
inline constexpr uint8_t Coal = 38;
inline constexpr uint8_t Anvil = 41;
inline constexpr uint8_t WoodenPickaxe = 55;
inline constexpr uint8_t WoodenAxe = 62;
inline constexpr uint8_t Cementite = 64;
// One chest, turned to face -z, -x, +x or +z; aux = its chest number.
inline constexpr uint8_t ChestFacingMinusZ = 67;
inline constexpr uint8_t ChestFacingMinusX = 68;
inline constexpr uint8_t ChestFacingPlusX = 69;
inline constexpr uint8_t ChestFacingPlusZ = 70;
inline constexpr uint8_t Chest = ChestFacingMinusZ;  // the item a dug chest gives
inline constexpr uint8_t Glass = 73;

inline constexpr bool isChest(uint8_t type) { return type >= ChestFacingMinusZ && type <= ChestFacingPlusZ; }
inline constexpr bool isTorch(uint8_t type) { return type == Torch; }

}  // namespace block
