// `check`: what `info` checks, then everything in a world file that the game
// never writes itself: stacks it cannot hold, chests and records that do not
// match, torches and times of day out of range. The cells are streamed; per
// chest number only a count and two places are kept.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "game/catalogue.h"
#include "game/inventory.h"
#include "world/block_types.h"
#include "world_stream.h"

namespace {

// Findings of one kind past this many are counted, not listed.
constexpr uint64_t kListedPerKind = 20;
constexpr int kTorchMounts = 5;  // 0 standing, 1..4 fixed to a side
constexpr int kDaySteps = 240;
// Up to this many grid cells of types the game does not know are odd: a scene
// made by hand with `set` holds a few. More say the file was damaged: bytes
// lost to zeros read as type 255, 2048 cells to every 4 KB page.
constexpr uint64_t kStrayBlocksAllowed = 1000;

enum Kind : uint8_t {
    // Could lose data: items or chest contents are gone or go in play.
    kUnknownItem,
    kManyUnknownBlocks,
    kChestWithoutRecord,
    kSharedRecord,
    kUnreachableRecord,
    // Odd, but the game copes: nothing is lost by them.
    kTurnedChestItem,
    kOverfullStack,
    kEmptyStack,
    kUnusedRecord,
    kTorchMount,
    kTimeOfDay,
    kUnknownBlock,
    kKindCount
};

struct KindInfo {
    bool losesData;
    const char* plural;  // "... and N more <plural>"
};

constexpr KindInfo kKinds[kKindCount] = {
    {true, "stacks of unknown types"},
    {true, "damaged stretches"},
    {true, "chest cells without a record"},
    {true, "shared records"},
    {true, "unreachable records"},
    {false, "stacks of turned chests"},
    {false, "stacks above 250"},
    {false, "stacks with a count of 0"},
    {false, "unused empty records"},
    {false, "torches with an unknown mount"},
    {false, "time values"},
    {false, "cells of unknown block types"},
};

struct Report {
    uint64_t found[kKindCount] = {};
    std::vector<std::string> lines[kKindCount];
};

[[gnu::format(printf, 3, 4)]] void note(Report& report, Kind kind, const char* format, ...) {
    if (report.found[kind]++ >= kListedPerKind) return;
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    report.lines[kind].push_back(line);
}

// Prints every finding, the most serious kinds first, and a closing count.
// True when any of them could lose data.
bool printReport(const Report& report, const char* path) {
    uint64_t total = 0, losing = 0;
    for (int k = 0; k < kKindCount; ++k) {
        const char* tag = kKinds[k].losesData ? "risk" : "odd";
        for (const std::string& line : report.lines[k]) std::printf("%s: %s\n", tag, line.c_str());
        if (report.found[k] > kListedPerKind)
            std::printf("%s: ... and %llu more %s\n", tag,
                        (unsigned long long)(report.found[k] - kListedPerKind), kKinds[k].plural);
        total += report.found[k];
        if (kKinds[k].losesData) losing += report.found[k];
    }
    if (total == 0)
        std::printf("%s: no findings\n", path);
    else
        std::printf("%s: %llu finding%s, %llu of them could lose data\n", path,
                    (unsigned long long)total, total == 1 ? "" : "s", (unsigned long long)losing);
    return losing > 0;
}

// Types an inventory or chest cell may hold: those with a catalogue entry.
// The turned chests 68..70 have none; they exist only in the grid.
bool knownItem(uint8_t type) {
    return *englishName(type) != '\0';
}
bool knownBlock(uint8_t type) {
    return type == block::Air || knownItem(type) || block::isChest(type);
}

void checkStacks(Report& report, const ItemStack* stacks, int count, const std::string& where) {
    for (int i = 0; i < count; ++i) {
        const ItemStack s = stacks[i];
        if (s.type == 0) continue;  // empty, whatever its count
        if (block::isChest(s.type) && s.type != block::Chest) {
            note(report, kTurnedChestItem,
                 "%s cell %d: type %d is a placed chest's facing, not an item (count %d)",
                 where.c_str(), i, s.type, s.count);
        } else if (!knownItem(s.type)) {
            note(report, kUnknownItem, "%s cell %d: type %d is not in the catalogue (count %d)",
                 where.c_str(), i, s.type, s.count);
        } else if (s.count == 0) {
            note(report, kEmptyStack, "%s cell %d: %s with a count of 0", where.c_str(), i,
                 englishName(s.type));
        } else if (s.count > maxStack) {
            note(report, kOverfullStack, "%s cell %d: %d %s, above the %d a cell holds",
                 where.c_str(), i, s.count, englishName(s.type), maxStack);
        }
    }
}

// What the grid tells about one chest number.
struct RecordUse {
    uint32_t cells = 0;
    CellPos first{}, second{};
};

enum CellClass : uint8_t { kPlain, kChestCell, kTorchCell, kStrangeCell };

struct CellClasses {
    CellClass of[256];
};
constexpr CellClasses makeClasses() {
    CellClasses c{};
    for (int t = 0; t < 256; ++t) {
        c.of[t] = kPlain;
        if (block::isChest(uint8_t(t))) c.of[t] = kChestCell;
        if (block::isTorch(uint8_t(t))) c.of[t] = kTorchCell;
    }
    return c;
}
const CellClasses kClasses = makeClasses();

struct GridCheck {
    Report& report;
    int chestCount;
    RecordUse uses[kChestRecords];
    CellClass classOf[256];

    GridCheck(Report& r, int chests) : report(r), chestCount(chests), uses{} {
        for (int t = 0; t < 256; ++t)
            classOf[t] = knownBlock(uint8_t(t)) ? kClasses.of[t] : kStrangeCell;
    }

    void cell(const Cell c, CellPos at) {
        switch (classOf[c.type]) {
            case kPlain:
                break;
            case kChestCell:
                if (c.aux >= chestCount) {
                    note(report, kChestWithoutRecord,
                         "cell (%d, %d, %d): chest number %d has no record (the file holds %d)",
                         at.x, at.y, at.z, c.aux, chestCount);
                } else {
                    RecordUse& use = uses[c.aux];
                    if (use.cells == 0) use.first = at;
                    if (use.cells == 1) use.second = at;
                    ++use.cells;
                }
                break;
            case kTorchCell:
                if (c.aux >= kTorchMounts)
                    note(report, kTorchMount,
                         "cell (%d, %d, %d): torch with mount %d (0 to 4 are known)", at.x, at.y,
                         at.z, c.aux);
                break;
            case kStrangeCell:
                note(report, kUnknownBlock,
                     "cell (%d, %d, %d): block type %d is not in the catalogue", at.x, at.y, at.z,
                     c.type);
                break;
        }
    }

    void rows(const Cell* cells, int firstX, int count) {
        for (int r = 0; r < count; ++r) {
            const Cell* row = cells + size_t(r) * kRowCells;
            for (int y = 0; y < kWorldSizeY; ++y) {
                const Cell* layer = row + size_t(y) * kWorldSizeZ;
                for (int z = 0; z < kWorldSizeZ; ++z)
                    if (classOf[layer[z].type] != kPlain) cell(layer[z], CellPos{firstX + r, y, z});
            }
        }
    }
};

void checkRecords(Report& report, const GridCheck& grid, const WorldTrailer& t) {
    for (int n = 0; n < t.chestCount; ++n) {
        const RecordUse& use = grid.uses[n];
        if (use.cells > 1) {
            note(report, kSharedRecord,
                 "chest %d: %u chest cells share its record, at (%d, %d, %d) and (%d, %d, %d)%s", n,
                 use.cells, use.first.x, use.first.y, use.first.z, use.second.x, use.second.y,
                 use.second.z, use.cells > 2 ? " and more" : "");
        } else if (use.cells == 0) {
            int stacks = 0;
            for (const ItemStack& s : t.chests[n]) stacks += s.type != 0;
            if (stacks)
                note(report, kUnreachableRecord,
                     "chest %d: no chest cell points to it; its %d stack%s cannot be reached", n,
                     stacks, stacks == 1 ? "" : "s");
            else
                note(report, kUnusedRecord, "chest %d: no chest cell points to it (it is empty)",
                     n);
        }
    }
}

}  // namespace

void printCheckHelp() {
    std::printf(
        "usage: velmora-world check FILE\n"
        "\n"
        "Checks world file FILE as `info` does, then reads every cell and reports\n"
        "what the game never writes, one line per finding naming the cell, the\n"
        "inventory cell or the chest:\n"
        "\n"
        "  risk: findings that could lose data, exit status 1:\n"
        "    an inventory or chest cell whose type the catalogue does not know (the\n"
        "      item it held is gone; placed, it makes a block nothing digs)\n"
        "    a chest in the grid whose number has no record (what is put in it is lost)\n"
        "    two or more chests in the grid sharing one record (digging one takes the\n"
        "      contents of both)\n"
        "    a record that no chest points to but that holds items (they cannot be reached)\n"
        "    more than %llu grid cells of block types the catalogue does not know (a\n"
        "      scene made with `set` holds a few; more mean a damaged file, whose\n"
        "      zeroed bytes read as type 255)\n"
        "  odd: the game copes and nothing is lost, exit status 0:\n"
        "    an inventory or chest cell holding a turned chest (68 to 70; placed, it is\n"
        "      a chest)\n"
        "    an inventory or chest cell holding more than 250 (nothing is added to it)\n"
        "    an inventory or chest cell with a type and a count of 0\n"
        "    an empty record that no chest points to\n"
        "    a torch whose mount is not 0 to 4\n"
        "    DayTime or SubDayTime above 239\n"
        "    up to %llu grid cells whose block types the catalogue does not know\n"
        "\n"
        "At most %d lines are listed per kind, then how many more there are.\n"
        "Exit status 1 also when FILE is missing, damaged or unreadable.\n",
        (unsigned long long)kStrayBlocksAllowed, (unsigned long long)kStrayBlocksAllowed,
        int(kListedPerKind));
}

int runCheck(int argc, char** argv) {
    const char* path = nullptr;
    if (int status = readFileArgument(argc, argv, "check", printCheckHelp, path); status >= 0)
        return status;

    auto trailer = std::make_unique<WorldTrailer>();
    plat::InFile file;
    if (int status = openWorldFile(path, *trailer, file)) return status;
    const WorldTrailer& t = *trailer;

    Report report;
    checkStacks(report, t.inventory, kInventoryCells, "inventory");
    for (int n = 0; n < t.chestCount; ++n)
        checkStacks(report, t.chests[n], kChestCells, "chest " + std::to_string(n));
    if (t.DayTime >= kDaySteps) note(report, kTimeOfDay, "DayTime: %d, above 239", t.DayTime);
    if (t.SubDayTime >= kDaySteps)
        note(report, kTimeOfDay, "SubDayTime: %d, above 239", t.SubDayTime);

    auto grid = std::make_unique<GridCheck>(report, t.chestCount);
    if (!streamCells(path, file, "checking", [&](const Cell* cells, int firstX, int rows) {
            grid->rows(cells, firstX, rows);
        }))
        return kExitFailed;
    checkRecords(report, *grid, t);
    if (const uint64_t strays = report.found[kUnknownBlock]; strays > kStrayBlocksAllowed)
        note(report, kManyUnknownBlocks,
             "%llu cells of unknown block types, more than the %llu a hand-made scene may "
             "hold: the file looks damaged",
             (unsigned long long)strays, (unsigned long long)kStrayBlocksAllowed);
    return printReport(report, path) ? kExitFailed : 0;
}
