// `set`, `give` and `time`: change a slot's world on disk, for making scenes. Every
// argument is checked before the file is touched; the world is loaded whole,
// changed, and written back through the same atomic save as the game's.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "game/catalogue.h"
#include "game/inventory.h"
#include "platform/files.h"
#include "progress.h"
#include "slot_writing.h"
#include "world/save_files.h"
#include "world/world.h"

namespace {

struct Range {
    long lo, hi;
};

// "N" or "A..B" (inclusive) within lo..hi.
bool parseRange(const char* text, long lo, long hi, Range& out) {
    const char* dots = std::strstr(text, "..");
    if (!dots) {
        long v;
        if (!parseInt(text, lo, hi, v)) return false;
        out = {v, v};
        return true;
    }
    const std::string first(text, dots);
    long a, b;
    if (!parseInt(first.c_str(), lo, hi, a) || !parseInt(dots + 2, lo, hi, b) || a > b)
        return false;
    out = {a, b};
    return true;
}

struct CommonArgs {
    long slot = 0;
    const char* dir = nullptr;
    std::vector<const char*> rest;
};

// --slot and --dir anywhere, everything else in order. 0 or an exit status.
int parseCommon(const char* command, int argc, char** argv, CommonArgs& out, void (*help)()) {
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            help();
            return -1;
        }
        const bool slot = !std::strcmp(arg, "--slot"), dir = !std::strcmp(arg, "--dir");
        if ((slot && out.slot) || (dir && out.dir)) {
            std::fprintf(stderr, "velmora-world %s: '%s' given twice\n", command, arg);
            return kExitUsage;
        }
        if (!slot && !dir) {
            if (arg[0] == '-' && arg[1] == '-') {
                std::fprintf(stderr, "velmora-world %s: unknown argument '%s'\n", command, arg);
                printUsage();
                return kExitUsage;
            }
            out.rest.push_back(arg);
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "velmora-world %s: missing value for '%s'\n", command, arg);
            return kExitUsage;
        }
        const char* value = argv[++i];
        if (slot && !parseInt(value, 1, 4, out.slot)) {
            std::fprintf(stderr, "velmora-world %s: slot must be 1 to 4, not '%s'\n", command,
                         value);
            return kExitUsage;
        }
        if (dir) out.dir = value;
    }
    if (!out.dir) out.dir = defaultSlotFolder();
    if (!out.slot) {
        std::fprintf(stderr, "velmora-world %s: --slot is needed\n", command);
        printUsage();
        return kExitUsage;
    }
    return 0;
}

// Chests come with a record of their contents that only the game makes.
bool refusedType(long type) {
    return isChest(uint8_t(type));
}

// Loads slot K, lets `change` work on the world, saves it back, holding the
// slot's lock throughout. `change` returns 0 or an exit status (nothing is
// written then) and leaves in `done` the line to print once the save has
// succeeded.
template <typename Change>
int editSlot(const char* command, const CommonArgs& args, Change change) {
    if (!plat::isFolder(args.dir)) {
        std::fprintf(stderr, "velmora-world %s: '%s': %s\n", command, args.dir,
                     plat::pathKind(args.dir) == plat::PathKind::Missing ? "no such folder"
                                                                         : "not a folder");
        return kExitFailed;
    }
    const SlotFiles files = slotFiles(args.dir, args.slot);
    plat::FileLock lock;
    if (int status = holdSlot(command, files, args.slot, lock)) return status;
    startProgress();
    beginPhase("loading");
    World world;
    auto job = std::make_unique<LoadJob>();
    beginLoad(*job, files.world, files.seed);
    runJob([&](JobSlice& slice) { return stepLoad(world, *job, slice); });
    const std::string failedFile = job->failedFile;
    switch (job->result) {
        case WorldResult::Done:
            break;
        case WorldResult::Damaged:
            std::fprintf(stderr, "%s: damaged: %s; nothing written\n", failedFile.c_str(),
                         failedFile == files.seed ? "not a seed file" : "not a whole world file");
            return kExitFailed;
        case WorldResult::NoMemory:
            std::fprintf(stderr, "velmora-world %s: not enough memory for the world\n", command);
            return kExitFailed;
        default:
            std::fprintf(stderr, "%s: cannot be read; nothing written\n", files.world.c_str());
            return kExitFailed;
    }
    endPhase();
    std::string done;
    if (int status = change(world, done); status != 0) return status;
    if (int status = saveSlotFiles(command, world, files); status != 0) return status;
    std::printf("%s\n%s written\n", done.c_str(), files.world.c_str());
    return 0;
}

}  // namespace

void printSetHelp() {
    std::printf(
        "usage: velmora-world set --slot K --dir DIR X Y Z TYPE [X Y Z TYPE ...]\n"
        "\n"
        "Writes block TYPE (0 to 255, 0 = air) into the cells at X, Y, Z of slot K's\n"
        "world in folder DIR (see below) and saves it back atomically. Each coordinate is a number\n"
        "or an inclusive range A..B: X and Z 0 to 999, Y 0 to 199. A cell's second byte\n"
        "is set to 0 (no grass, a standing torch, a furnace facing -z). Chests are made\n"
        "only by the game: chest types (67 to 70) are refused, and so is a change to a\n"
        "cell that holds a chest. Exit status 1 when the world file is missing, damaged\n"
        "or unreadable, or the slot is open in the game or another run (nothing is\n"
        "written then), 2 for bad arguments.\n");
    printSlotFolderNote();
}

void printGiveHelp() {
    std::printf(
        "usage: velmora-world give --slot K --dir DIR CELL TYPE COUNT [CELL TYPE COUNT ...]\n"
        "\n"
        "Puts COUNT items of TYPE into inventory CELL (0 to 35; 0 to 8 are the hotbar)\n"
        "of slot K's world in folder DIR (see below), replacing what the cell held, and saves it\n"
        "back atomically. TYPE 1 to 255 with COUNT 1 to 250, or TYPE 0 with COUNT 0 to\n"
        "empty the cell. Chest types (67 to 70) are refused: chests are made only by\n"
        "the game. Exit status 1 when the world file is missing, damaged or unreadable,\n"
        "or the slot is open in the game or another run (nothing is written then), 2\n"
        "for bad arguments.\n");
    printSlotFolderNote();
}

void printTimeHelp() {
    std::printf(
        "usage: velmora-world time --slot K --dir DIR DAYTIME [SUBDAYTIME]\n"
        "\n"
        "Sets the time of day of slot K's world in folder DIR (see below) and saves it back\n"
        "atomically: DAYTIME 0 to 239 (0 the brightest moment, 120 the darkest; one\n"
        "step every 3.75 s of play) and SUBDAYTIME 0 to 239, the progress within the\n"
        "step (0 when left out). Exit status 1 when the world file is missing,\n"
        "damaged or unreadable, or the slot is open in the game or another run\n"
        "(nothing is written then), 2 for bad arguments.\n");
    printSlotFolderNote();
}

int runTime(int argc, char** argv) {
    CommonArgs args;
    if (int status = parseCommon("time", argc, argv, args, printTimeHelp); status != 0)
        return status < 0 ? 0 : status;
    long day = 0, sub = 0;
    const size_t n = args.rest.size();
    if (n < 1 || n > 2) {
        std::fprintf(stderr, "velmora-world time: give DAYTIME and optionally SUBDAYTIME, each 0 to 239\n");
        printUsage();
        return kExitUsage;
    }
    const char* names[] = {"DAYTIME", "SUBDAYTIME"};
    long* values[] = {&day, &sub};
    for (size_t i = 0; i < n; ++i)
        if (!parseInt(args.rest[i], 0, 239, *values[i])) {
            std::fprintf(stderr, "velmora-world time: %s must be 0 to 239, not '%s'\n", names[i],
                         args.rest[i]);
            return kExitUsage;
        }
    return editSlot("time", args, [&](World& world, std::string& done) {
        world.DayTime = uint8_t(day);
        world.SubDayTime = uint8_t(sub);
        done = "DayTime " + std::to_string(day) + ", SubDayTime " + std::to_string(sub);
        return 0;
    });
}

int runSet(int argc, char** argv) {
    CommonArgs args;
    if (int status = parseCommon("set", argc, argv, args, printSetHelp); status != 0)
        return status < 0 ? 0 : status;
    struct Edit {
        Range x, y, z;
        uint8_t type;
    };
    std::vector<Edit> edits;
    if (args.rest.empty() || args.rest.size() % 4 != 0) {
        std::fprintf(stderr, "velmora-world set: give cells as groups of X Y Z TYPE\n");
        printUsage();
        return kExitUsage;
    }
    for (size_t i = 0; i < args.rest.size(); i += 4) {
        Edit e{};
        long type;
        const char* const* a = &args.rest[i];
        if (!parseRange(a[0], 0, kWorldSizeX - 1, e.x) ||
            !parseRange(a[1], 0, kWorldSizeY - 1, e.y) ||
            !parseRange(a[2], 0, kWorldSizeZ - 1, e.z)) {
            std::fprintf(stderr,
                         "velmora-world set: '%s %s %s' is not a cell of the world "
                         "(X, Z 0..999, Y 0..199)\n",
                         a[0], a[1], a[2]);
            return kExitUsage;
        }
        if (!parseInt(a[3], 0, 255, type) || refusedType(type)) {
            std::fprintf(stderr,
                         "velmora-world set: type must be 0 to 255 and not a chest (67..70), "
                         "not '%s'\n",
                         a[3]);
            return kExitUsage;
        }
        e.type = uint8_t(type);
        edits.push_back(e);
    }
    return editSlot("set", args, [&](World& world, std::string& done) {
        long cells = 0;
        for (const Edit& e : edits)
            for (long x = e.x.lo; x <= e.x.hi; ++x)
                for (long y = e.y.lo; y <= e.y.hi; ++y)
                    for (long z = e.z.lo; z <= e.z.hi; ++z)
                        if (isChest(cell(world, int(x), int(y), int(z)).type)) {
                            std::fprintf(stderr,
                                         "velmora-world set: cell %ld %ld %ld holds a chest, "
                                         "which only the game changes; nothing written\n",
                                         x, y, z);
                            return kExitUsage;
                        }
        for (const Edit& e : edits)
            for (long x = e.x.lo; x <= e.x.hi; ++x)
                for (long y = e.y.lo; y <= e.y.hi; ++y)
                    for (long z = e.z.lo; z <= e.z.hi; ++z, ++cells)
                        cell(world, int(x), int(y), int(z)) = Cell{e.type, 0};
        done = std::to_string(cells) + " cells set";
        return 0;
    });
}

int runGive(int argc, char** argv) {
    CommonArgs args;
    if (int status = parseCommon("give", argc, argv, args, printGiveHelp); status != 0)
        return status < 0 ? 0 : status;
    struct Gift {
        int cell;
        ItemStack stack;
    };
    std::vector<Gift> gifts;
    if (args.rest.empty() || args.rest.size() % 3 != 0) {
        std::fprintf(stderr, "velmora-world give: give items as groups of CELL TYPE COUNT\n");
        printUsage();
        return kExitUsage;
    }
    for (size_t i = 0; i < args.rest.size(); i += 3) {
        const char* const* a = &args.rest[i];
        long c, type, count;
        if (!parseInt(a[0], 0, kInventoryCells - 1, c)) {
            std::fprintf(stderr, "velmora-world give: cell must be 0 to 35, not '%s'\n", a[0]);
            return kExitUsage;
        }
        if (!parseInt(a[1], 0, 255, type) || refusedType(type)) {
            std::fprintf(stderr,
                         "velmora-world give: type must be 0 to 255 and not a chest "
                         "(67..70), not '%s'\n",
                         a[1]);
            return kExitUsage;
        }
        const bool counted =
            type == 0 ? parseInt(a[2], 0, 0, count) : parseInt(a[2], 1, maxStack, count);
        if (!counted) {
            std::fprintf(stderr,
                         "velmora-world give: count must be 1 to 250 (0 with type 0), "
                         "not '%s'\n",
                         a[2]);
            return kExitUsage;
        }
        gifts.push_back(Gift{int(c), ItemStack{uint8_t(type), uint8_t(count)}});
    }
    return editSlot("give", args, [&](World& world, std::string& done) {
        for (const Gift& g : gifts) world.slots[g.cell] = g.stack;
        done = std::to_string(gifts.size()) + " cells given";
        return 0;
    });
}
