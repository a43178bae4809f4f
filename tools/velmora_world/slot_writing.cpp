#include "slot_writing.h"

#include <cstdio>

#include "commands.h"
#include "world/save_files.h"

int holdSlot(const char* command, const SlotFiles& files, long slot, plat::FileLock& lock) {
    if (lockSlotFiles(files.world, files.seed, lock) != SlotLock::InUse) return 0;
    std::fprintf(stderr,
                 "velmora-world %s: slot %ld is open in the game (or another velmora-world "
                 "run); nothing written\n",
                 command, slot);
    return kExitFailed;
}

int saveSlotFiles(const char* command, const SlotFiles& files, ProgressPump& pump) {
    beginPhase("saving");
    SaveReport report;
    const WorldResult r = saveWorldTo(files.world, files.seed, pump, &report);
    switch (r) {
        case WorldResult::Done:
            endPhase();
            return 0;
        case WorldResult::SeedNotWritten:
            std::fprintf(stderr,
                         "\nvelmora-world %s: %s written, but %s could not be: %s; the world "
                         "now stands beside its old seed file\n",
                         command, files.world.c_str(), files.seed.c_str(),
                         plat::describe(report.error));
            return kExitFailed;
        default:
            break;
    }
    if (report.failedFile.empty())
        std::fprintf(stderr, "\nvelmora-world %s: could not write %s: %s; nothing written\n",
                     command, files.world.c_str(), describe(r));
    else
        std::fprintf(stderr, "\nvelmora-world %s: could not write %s: %s; nothing written\n",
                     command, report.failedFile.c_str(), plat::describe(report.error));
    return kExitFailed;
}
