#include "slot_writing.h"

#include <cstdio>
#include <memory>

#include "commands.h"
#include "world/save_files.h"
#include "world/slot_commit.h"

int holdSlot(const char* command, const SlotFiles& files, long slot, plat::FileLock& lock) {
    SaveReport report;
    switch (lockSlotFiles(files.world, files.seed, lock, &report)) {
        case SlotLock::Taken:
        case SlotLock::Unlocked: break;
        case SlotLock::InUse:
            std::fprintf(stderr,
                         "velmora-world %s: slot %ld is open in the game (or another velmora-world "
                         "run); nothing written\n",
                         command, slot);
            return kExitFailed;
        case SlotLock::Refused:
            std::fprintf(stderr, "velmora-world %s: slot %ld cannot be used: %s: %s; nothing written\n",
                         command, slot, report.failedFile.c_str(), plat::describe(report.error));
            return kExitFailed;
    }
    return 0;
}

int tryWriting(const char* command, const SlotFiles& files) {
    for (const std::string& target : {files.world, files.seed, commitRecordPath(files.world)}) {
        plat::OutFile probe;  // dropped unwritten: its temporary goes with it
        if (!plat::beginReplacing(target, probe)) {
            std::fprintf(stderr, "velmora-world %s: could not write %s: %s; nothing written\n",
                         command, target.c_str(), plat::describe(probe.error));
            return kExitFailed;
        }
    }
    return 0;
}

int saveSlotFiles(const char* command, const World& world, const SlotFiles& files) {
    beginPhase("saving");
    auto job = std::make_unique<SaveJob>();
    beginSave(*job, files.world, files.seed);
    runJob([&](JobSlice& slice) { return stepSave(world, *job, slice); });
    const SaveReport report = job->report;
    const WorldResult r = job->result;
    switch (r) {
        case WorldResult::Done:
            endPhase();
            return 0;
        case WorldResult::SeedNotWritten:
            std::fprintf(stderr,
                         "\nvelmora-world %s: %s written, but %s could not be replaced yet: %s; "
                         "the next run (or the game) to take the slot finishes it\n",
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
