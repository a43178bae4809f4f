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
    bool failRename = false;         // renaming fails (a temporary over its target, a file aside)
    // Something already standing at the first temporary name a writer tries,
    // as a stray from a killed writer or a planted trap would.
    enum class Planted : uint8_t { Nothing, File, Link, Fifo, Folder };
    Planted atTemporary = Planted::Nothing;
    std::string linkTarget;          // where a planted link points
    bool lockHeld = false;           // every lock is held by someone else
};

FileFaults& fileFaults();
// The faults apply to this path.
bool faultyPath(const std::string& path);

// Aims a writer whose handle and temporary are already gone at `target`, as
// new; false (and the error set) when a planted fault refuses the open.
bool restartOut(const std::string& target, OutFile& file);

}  // namespace plat
