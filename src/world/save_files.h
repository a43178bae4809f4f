// The four world slots beside the executable: "MondoK.data" holds the world
// image (every byte stored as value + 1: the cells in x, y, z order, then the
// status values, inventory, chest table and time of day), "SemeMK.data" the
// seed as ten decimal characters. Saves replace a slot's files atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "world/world.h"

inline constexpr size_t kCellImageBytes = kCellCount * sizeof(Cell);  // 400,000,000
inline constexpr size_t kChestCountOffset = kCellImageBytes + 81;
inline constexpr size_t kChestRecordBytes = kChestCells * 2;  // 54
inline constexpr size_t kSeedFileBytes = 10;

// Length of a world file holding `chests` chest records.
inline constexpr size_t worldFileLength(int chests) {
    return kCellImageBytes + 84 + kChestRecordBytes * size_t(chests);
}

// Everything a world file stores besides the cells, decoded.
struct WorldTrailer {
    uint8_t gauges[3][2];
    uint8_t counters[3];
    ItemStack inventory[kInventoryCells];
    uint8_t chestCount;
    ItemStack chests[kMaxChests][kChestCells];
    uint8_t DayTime;
    uint8_t SubDayTime;
};

enum class WorldFileCheck : uint8_t {
    Good,
    Missing,    // cannot be opened for reading
    BadLength,  // its length disagrees with its own chest count
    ReadError,
};

// Checks a world file's length against its chest count and decodes its
// trailer, touching nothing else. On Good, `fd` (when given) is left open.
WorldFileCheck readWorldTrailer(const std::string& path, WorldTrailer& out, int* fd = nullptr);

// The seed a seed file holds: its ten digits, or 0 when it is missing, short
// or not ten digits.
int32_t readSeedFile(const std::string& path);
// The seed file's bytes (at most ten, returned count): the seed's ten digits,
// with leading zeros for seeds below 1,000,000,000 so that they read back; a
// negative seed keeps the first ten characters it prints (and reads back as 0).
size_t formatSeed(int32_t seed, char out[kSeedFileBytes]);

std::string worldFilePath(int slot);
std::string seedFilePath(int slot);
// True when the slot's world file can be opened for reading.
bool slotOccupied(int slot);

// Writes the world into the slot being played. < 0 only when drawing fails;
// a save that could not be written tells the player and returns 0.
int saveWorld();
// Reads the slot being played into the world: 0 on success (or when a quit
// message cut it short), 1 when the slot is damaged or unreadable (the player
// is told, the world in memory is left alone), < 0 when drawing fails.
int loadWorld();

// The same for any pair of files (tools and tests).
int saveWorldTo(const std::string& worldPath, const std::string& seedPath);
int loadWorldFrom(const std::string& worldPath, const std::string& seedPath);
