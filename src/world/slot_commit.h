// A slot's world and seed files are replaced as one: both temporaries are
// written and flushed, then a small record naming them ("MondoK.data.commit")
// is put in place atomically, then each temporary is renamed over its file,
// and the record goes last. Whoever holds the slot's lock next and finds a
// record finishes it: a temporary still there is whole (it was flushed before
// the record existed), one no longer there was renamed already. So a kill or
// a power cut at any moment leaves the old world with the old seed or the new
// world with the new seed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

std::string commitRecordPath(const std::string& worldPath);

// The record's text for two finished temporaries of the slot's files.
std::string commitRecordText(const plat::OutFile& world, const plat::OutFile& seed);

struct CommitProgress {
    bool worldReplaced = false;
    bool seedReplaced = false;
    plat::WriteError error = plat::WriteError::None;
    std::string failedFile;  // "" when nothing failed
};

enum class Commit : uint8_t {
    NoneFound,  // no record: nothing was left half done
    Finished,   // every temporary it names is now its file; the record is gone
    Discarded,  // a record that was not whole, or named temporaries that were not: thrown away
    Failed,     // a rename failed: the record stays for the next holder, `progress` says where
};

// Finishes (or throws away) the record left at the slot. Only for the holder
// of the slot's lock, and before any stray temporary is cleared, as the
// record's temporaries would otherwise look like strays.
Commit finishSlotCommit(const std::string& worldPath, const std::string& seedPath,
                        CommitProgress* progress = nullptr);
