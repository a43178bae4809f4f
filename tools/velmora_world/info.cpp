// `info`: checks a world file and summarises it, reading it in blocks.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "commands.h"
#include "game/catalogue.h"
#include "world/chests.h"
#include "world/save_files.h"
#include "world/slot_commit.h"
#include "world_stream.h"

namespace {

std::string describeType(uint8_t type) {
    if (type == 0) return "0 Air";
    const char* name = englishName(type);
    if (*name) return std::to_string(type) + " " + name;
    if (isChest(type)) return std::to_string(type) + " Chest (turned)";
    return std::to_string(type) + " (no name)";
}

void printStacks(const ItemStack* stacks, int count, const char* indent) {
    bool any = false;
    for (int i = 0; i < count; ++i) {
        if (stacks[i].type == 0) continue;
        std::printf("%scell %2d: %s x%d\n", indent, i, describeType(stacks[i].type).c_str(),
                    stacks[i].count);
        any = true;
    }
    if (!any) std::printf("%s(empty)\n", indent);
}

}  // namespace

void printInfoHelp() {
    std::printf(
        "usage: velmora-world info FILE\n"
        "\n"
        "Checks that FILE is a whole world file (its length agrees with its chest\n"
        "count) and prints its chest count, time of day, status values, inventory,\n"
        "chests and the number of cells of each block type. Exit status 1 when the\n"
        "file is missing, damaged or unreadable.\n");
}

int runInfo(int argc, char** argv) {
    const char* path = nullptr;
    if (int status = readFileArgument(argc, argv, "info", printInfoHelp, path); status >= 0)
        return status;

    auto trailer = std::make_unique<WorldTrailer>();
    plat::InFile file;
    if (int status = openWorldFile(path, *trailer, file)) return status;

    uint64_t counts[256] = {};
    const bool read = streamCells(path, file, "reading", [&](const Cell* cells, int, int rows) {
        for (size_t i = 0; i < kRowCells * size_t(rows); ++i) ++counts[cells[i].type];
    });
    if (!read) return kExitFailed;

    const WorldTrailer& t = *trailer;
    std::printf("file: %s\n", path);
    // Until then the seed file beside it may still be the old world's.
    if (plat::pathKind(commitRecordPath(path)) != plat::PathKind::Missing)
        std::printf("note: a save of this slot was cut short; the game or the next writing "
                    "run finishes it\n");
    std::printf("length: %zu bytes (well-formed)\n", worldFileLength(t.chestCount));
    std::printf("chests: %d\n", t.chestCount);
    std::printf("DayTime: %d\nSubDayTime: %d\n", t.DayTime, t.SubDayTime);
    std::printf("gauges: %d/%d %d/%d %d/%d\n", t.gauges[0][0], t.gauges[0][1], t.gauges[1][0],
                t.gauges[1][1], t.gauges[2][0], t.gauges[2][1]);
    std::printf("counters: %d %d %d\n", t.counters[0], t.counters[1], t.counters[2]);
    std::printf("inventory:\n");
    printStacks(t.inventory, kInventoryCells, "  ");
    for (int c = 0; c < t.chestCount; ++c) {
        std::printf("chest %d:\n", c);
        printStacks(t.chests[c], kChestCells, "  ");
    }
    std::printf("blocks:\n");
    for (int type = 0; type < 256; ++type)
        if (counts[type])
            std::printf("  %-24s %llu\n", describeType(uint8_t(type)).c_str(),
                        (unsigned long long)counts[type]);
    return 0;
}
