// `generate`: the world the game makes for a seed, written as slot K's files.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "commands.h"
#include "platform/files.h"
#include "progress.h"
#include "slot_writing.h"
#include "world/generation.h"
#include "world/save_files.h"

void printGenerateHelp() {
    std::printf(
        "usage: velmora-world generate --seed SEED --slot K --dir DIR\n"
        "\n"
        "Generates the world the game makes from SEED and writes it as slot K (1 to\n"
        "4) into folder DIR (see below): MondoK.data and SemeMK.data, each replaced atomically.\n"
        "SEED is %d to %d, the seeds the ten digits of a seed file hold\n"
        "and read back (the game's own are the clock's seconds). Progress goes to\n"
        "standard error. Exit status 1 when the slot is open in the game or another\n"
        "run, or its files cannot be written (the message says which file and why),\n"
        "2 for bad arguments.\n",
        kSmallestSeed, kLargestSeed);
    printSlotFolderNote();
}

int runGenerate(int argc, char** argv) {
    long seed = 0, slot = 0;
    bool haveSeed = false, haveSlot = false;
    const char* dir = nullptr;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            printGenerateHelp();
            return 0;
        }
        const bool known = !std::strcmp(arg, "--seed") || !std::strcmp(arg, "--slot") ||
                           !std::strcmp(arg, "--dir");
        if (!known || i + 1 >= argc) {
            std::fprintf(stderr, "velmora-world generate: %s '%s'\n",
                         known ? "missing value for" : "unknown argument", arg);
            printUsage();
            return kExitUsage;
        }
        const char* value = argv[++i];
        const bool twice = !std::strcmp(arg, "--seed") ? haveSeed
                           : !std::strcmp(arg, "--slot") ? haveSlot
                                                         : dir != nullptr;
        if (twice) {
            std::fprintf(stderr, "velmora-world generate: '%s' given twice\n", arg);
            return kExitUsage;
        }
        if (!std::strcmp(arg, "--seed")) {
            haveSeed = parseInt(value, kSmallestSeed, kLargestSeed, seed);
            if (!haveSeed) {
                std::fprintf(stderr, "velmora-world generate: seed must be %d to %d, not '%s'\n",
                             kSmallestSeed, kLargestSeed, value);
                return kExitUsage;
            }
        } else if (!std::strcmp(arg, "--slot")) {
            haveSlot = parseInt(value, 1, 4, slot);
            if (!haveSlot) {
                std::fprintf(stderr, "velmora-world generate: slot must be 1 to 4, not '%s'\n",
                             value);
                return kExitUsage;
            }
        } else {
            dir = value;
        }
    }
    if (!dir) dir = defaultSlotFolder();
    if (!haveSeed || !haveSlot) {
        std::fprintf(stderr, "velmora-world generate: --seed and --slot are both needed\n");
        printUsage();
        return kExitUsage;
    }
    if (!plat::isFolder(dir)) {
        std::fprintf(stderr, "velmora-world generate: '%s': %s\n", dir,
                     plat::pathKind(dir) == plat::PathKind::Missing ? "no such folder"
                                                                    : "not a folder");
        return kExitFailed;
    }

    const SlotFiles files = slotFiles(dir, slot);
    plat::FileLock lock;
    if (int status = holdSlot("generate", files, slot, lock)) return status;
    if (int status = tryWriting("generate", files)) return status;

    // Nothing generated depends on how the work is sliced.
    startProgress();
    beginPhase("generating");
    World world;
    auto job = std::make_unique<GenerationJob>();
    beginGeneration(world, *job, int32_t(seed));
    runJob([&](JobSlice& slice) { return stepGeneration(world, *job, slice); });
    if (job->result != WorldResult::Done) {
        std::fprintf(stderr, "\nvelmora-world generate: generation did not finish: %s\n",
                     describe(job->result));
        return kExitFailed;
    }
    endPhase();
    if (int status = saveSlotFiles("generate", world, files)) return status;
    std::printf("seed %ld written to %s and %s\n", seed, files.world.c_str(), files.seed.c_str());
    return 0;
}
