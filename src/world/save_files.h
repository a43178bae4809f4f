// The four world slots beside the executable: "MondoK.data" holds the world
// image (every byte stored as value + 1: the cells in x, y, z order, then the
// status values, inventory, chest table and time of day), "SemeMK.data" the
// seed as ten decimal characters. Saves replace a slot's files atomically;
// loads check a file's length and kind before anything in memory changes.
// A writer holds the slot's lock ("MondoK.data.lock") for as long as it may
// write, so that the game and the world tool never write one slot at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "world/job_slice.h"
#include "world/world.h"
#include "world/world_result.h"

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
    Missing,    // nothing by that name
    BadLength,  // its length disagrees with its own chest count
    NotAFile,   // a folder, a FIFO, a device
    ReadError,
};

// Checks a world file's kind and length against its chest count and decodes
// its trailer, touching nothing else. On Good, `file` (when given) is left
// open for reading the cells.
WorldFileCheck readWorldTrailer(const std::string& path, WorldTrailer& out,
                                plat::InFile* file = nullptr);

// Every stored byte is the value plus one (modulo 256); cells go through in
// blocks, so both directions work on any run of bytes.
void encodeBytes(uint8_t* out, const uint8_t* in, size_t n);
void decodeBytes(uint8_t* bytes, size_t n);

// Seeds a seed file holds as ten digits and reads back exactly.
inline constexpr int32_t kSmallestSeed = 0;
inline constexpr int32_t kLargestSeed = 2147483647;

// The seed a seed file holds: its ten digits, or a minus and at most nine
// digits (the cut print of a negative seed); 0 when nothing stands at its
// name; nullopt (a damaged slot) when what stands there holds anything else
// or cannot be read (a dangling link, a folder, a FIFO).
std::optional<int32_t> readSeedFile(const std::string& path);
// The seed file's bytes (at most ten, returned count): the seed's ten digits,
// with leading zeros for seeds below 1,000,000,000 so that they read back; a
// negative seed keeps the first ten characters it prints.
size_t formatSeed(int32_t seed, char out[kSeedFileBytes]);

// "MondoK.data": the world file's name alone, as the player is told it.
std::string worldFileName(int slot);
std::string worldFilePath(int slot);
std::string seedFilePath(int slot);
std::string slotLockPath(const std::string& worldPath);
// True when something stands at the slot's world file name, readable or not:
// such a slot is never made anew (that would replace what is there).
bool slotOccupied(int slot);

enum class SlotAside : uint8_t {
    Moved,
    NothingThere,  // no world file: the slot is empty already
    Failed,        // nothing was moved; the slot is as it was
};
// Empties a slot without losing what it held: MondoK.data and SemeMK.data are
// renamed MondoK.data.bakN and SemeMK.data.bakN, N the smallest number from 1
// that neither name has yet (so the pair keeps one number), and nothing is
// ever renamed over an existing file. On Moved, `number` is N.
SlotAside moveSlotAside(int slot, int& number);

// What a save (or the taking of a slot) failed on, for the player or the log.
struct SaveReport {
    plat::WriteError error = plat::WriteError::None;
    std::string failedFile;  // "" when the failure was no file's
};

enum class SlotLock : uint8_t {
    Taken,     // ours until released; a save cut short finished, strays of killed writers cleared
    InUse,     // the game or a world tool run holds the slot: nothing may be written
    Unlocked,  // nothing at the lock's name and no file can be made there (a
               // read-only folder): going on without, as nothing can be written either
    Refused,   // something that cannot be locked stands at the lock's name, or a
               // save cut short could not be finished: the slot may not be used
};
// Takes the lock over a slot's pair of files, without waiting, and finishes
// a save a killed writer left half done. For Refused, `report` names the
// file and the reason.
SlotLock lockSlotFiles(const std::string& worldPath, const std::string& seedPath,
                       plat::FileLock& lock, SaveReport* report = nullptr);
SlotLock lockSlot(int slot, plat::FileLock& lock, SaveReport* report = nullptr);
// A save under way: the three files begun (a name that cannot be written
// stops it before anything is), the world image block by block, then the
// trailer, the seed and the commit that makes the two renames one. The
// commit waits on the disk, so it runs in the background: from its start to
// its end only `committing` is read here.
struct SaveJob {
    enum class Phase : uint8_t { Begin, Image, Commit, Ended };
    std::string worldPath, seedPath;
    Phase phase = Phase::Begin;
    size_t at = 0;  // bytes of the image written
    plat::OutFile worldFile, seedFile, recordFile;
    std::unique_ptr<uint8_t[]> block;  // one block's room, kept for the whole save
    std::vector<uint8_t> trailer;      // the world's values, taken as the commit starts
    int32_t seed = 0;
    SaveReport report;
    WorldResult result = WorldResult::Done;
    // Last, so that a job dropped mid-commit waits for it before its files go.
    std::future<void> committing;
};
// Begins writing the world into a slot's pair of files; nothing is touched yet.
void beginSave(SaveJob& job, const std::string& worldPath, const std::string& seedPath);
// Works on until the slice is spent or the job ends (the last step, the
// flush and commit, begins in a call of its own and is waited for at most
// until the slice ends, or to its end in a slice of units); true once it has ended,
// with `result` Done, NotWritten (nothing written) or SeedNotWritten: the
// world file was replaced and its seed file could not be yet (the next holder
// of the slot's lock renames it). In every case but Done and SeedNotWritten
// the slot's files are as they were; a job dropped before its commit (a
// quit) writes nothing, its temporaries removed, and one dropped during its
// commit first lets it end.
bool stepSave(const World& world, SaveJob& job, JobSlice& slice);

// A load under way: both files checked whole before anything in memory
// changes, then the grid made ready and the cells read block by block.
struct LoadJob {
    enum class Phase : uint8_t { Check, Allocate, Cells, Ended };
    std::string worldPath, seedPath;
    Phase phase = Phase::Check;
    size_t at = 0;  // bytes of the image read
    std::unique_ptr<plat::InFile> file;  // open from the check to the end, never after
    std::unique_ptr<WorldTrailer> trailer;
    int32_t seed = 0;
    std::string failedFile;  // the file a failure was found in, "" on Done
    WorldResult result = WorldResult::Done;
};
void beginLoad(LoadJob& job, const std::string& worldPath, const std::string& seedPath);
// Works on until the slice is spent or the job ends; true once it has ended,
// with `result` Done, NoMemory, Unreadable or Damaged (`failedFile` names the
// file). Unreadable and Damaged found before the cells are read leave memory
// as it was. Holders of the slot's lock only, so that no save is half done.
bool stepLoad(World& world, LoadJob& job, JobSlice& slice);

// The whole jobs in one call, for tools and tests.
WorldResult saveWorldTo(const World& world, const std::string& worldPath,
                        const std::string& seedPath, SaveReport* report = nullptr);
WorldResult loadWorldFrom(World& world, const std::string& worldPath, const std::string& seedPath,
                          std::string* failedFile = nullptr);
WorldResult saveWorld(const World& world, int slot, SaveReport* report = nullptr);
WorldResult loadWorld(World& world, int slot, std::string* failedFile = nullptr);
