// Failures the headless platform can plant in file operations, so that the
// save and load tests meet a full disk or a failing read without one. The
// real game never sets them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace plat {

struct FileFaults {
    std::string pathContains;        // only files whose path contains this ("" = every file)
    bool failOpen = false;           // opening for reading or writing fails
    int64_t failWriteAfter = -1;     // writes beyond this many bytes fail as a full disk
    bool shortWrites = false;        // every write takes at most 4096 bytes (still completes)
    int64_t failReadAt = -1;         // a read touching this byte offset fails
    bool failFlush = false;          // flushing a temporary fails
    bool failFolderFlush = false;    // flushing a folder after a rename or a removal fails
    bool failRename = false;         // renaming fails (a temporary over its target, a file aside)
    // Something already standing at the first temporary name a writer tries,
    // as a stray from a killed writer or a planted trap would.
    enum class Planted : uint8_t { Nothing, File, Link, Fifo, Folder };
    Planted atTemporary = Planted::Nothing;
    std::string linkTarget;          // where a planted link points
    Planted atLock = Planted::Nothing;  // the same, at a lock's name, before it is taken
    bool lockHeld = false;           // every lock is held by someone else
    // A kill -9 stood in for: after this many steps that reach the disk (a
    // temporary made, a flush, a rename, a removal), every later one fails
    // and nothing is cleaned up, not even a dropped temporary. Every path.
    int64_t killAfterSteps = -1;
    int64_t stepsTaken = 0;          // counted while killAfterSteps is set
};

FileFaults& fileFaults();
// The faults apply to this path.
bool faultyPath(const std::string& path);

// Counts one step that reaches the disk; false when the process counts as
// killed (the step must then not happen).
bool stepSurvives();
// The planted kill has happened: nothing more reaches the disk.
bool killedByFaults();

}  // namespace plat
