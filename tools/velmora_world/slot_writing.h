// velmora-world: what the writing commands (generate, set, give, time) share:
// the slot's lock held for the whole run, and a save whose exit status and
// message tell what happened to each of the slot's two files.
#pragma once

#include <string>

#include "platform/files.h"
#include "progress.h"
#include "world/world.h"

// Takes slot K's lock (0), or says why not (the game or another run holds
// it, something that cannot be locked stands at the lock's name, a save cut
// short cannot be finished) and returns kExitFailed. A folder where no lock
// file can be made (read-only) is written without one: the save then fails
// and says why.
int holdSlot(const char* command, const SlotFiles& files, long slot, plat::FileLock& lock);
// Tries every name a save of the slot writes, before long work that would
// be lost: 0, or kExitFailed after naming the file and why.
int tryWriting(const char* command, const SlotFiles& files);

// Saves the world into the slot's files. 0, or kExitFailed after naming which file was not written and why: nothing
// written, or the world written with its old seed file.
int saveSlotFiles(const char* command, const World& world, const SlotFiles& files);
