#include "world/slot_commit.h"

#include <charconv>
#include <string_view>

namespace {

// A record is two short lines; anything longer was not written by a save.
constexpr size_t kMaxRecordBytes = 1024;

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Entry {
    std::string temporary;  // full path
    int64_t bytes = 0;
};

// "LABEL NAME BYTES": NAME must be one of `target`'s temporaries in its own
// folder, so that a planted record can move nothing else over a slot's file.
bool readEntry(std::string_view line, std::string_view label, const std::string& target,
               Entry& out) {
    if (line.substr(0, label.size() + 1) != std::string(label) + ' ') return false;
    line.remove_prefix(label.size() + 1);
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) return false;
    const std::string name(line.substr(0, space));
    const std::string prefix = plat::temporaryPrefix(nameOf(target));
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.find_first_of("/\\") != std::string::npos)
        return false;
    const std::string_view digits = line.substr(space + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out.bytes);
    if (error != std::errc{} || end != digits.data() + digits.size() || out.bytes < 0) return false;
    out.temporary = folderOf(target) + name;
    return true;
}

bool parseRecord(const std::string& text, const std::string& worldPath,
                 const std::string& seedPath, Entry& world, Entry& seed) {
    const size_t first = text.find('\n');
    if (first == std::string::npos || text.back() != '\n') return false;
    const std::string_view all(text);
    const std::string_view second = all.substr(first + 1, all.size() - first - 2);
    return second.find('\n') == std::string_view::npos &&
           readEntry(all.substr(0, first), "world", worldPath, world) &&
           readEntry(second, "seed", seedPath, seed);
}

enum class Left : uint8_t { Whole, Renamed, Broken };

// What became of a temporary the record names: still there and whole, gone
// (renamed over its file: nothing else removes a named temporary), or
// something else, which no save leaves.
Left leftOf(const Entry& entry) {
    switch (plat::pathKind(entry.temporary)) {
        case plat::PathKind::Missing: return Left::Renamed;
        case plat::PathKind::File: break;
        default: return Left::Broken;
    }
    plat::InFile file;
    if (plat::openForReading(entry.temporary, file) != plat::FileStatus::Ok) return Left::Broken;
    return file.size == entry.bytes ? Left::Whole : Left::Broken;
}

}  // namespace

std::string commitRecordPath(const std::string& worldPath) { return worldPath + ".commit"; }

std::string commitRecordText(const plat::OutFile& world, const plat::OutFile& seed) {
    return "world " + nameOf(world.temporary) + " " + std::to_string(world.written) + "\nseed " +
           nameOf(seed.temporary) + " " + std::to_string(seed.written) + "\n";
}

Commit finishSlotCommit(const std::string& worldPath, const std::string& seedPath,
                        CommitProgress* progress) {
    CommitProgress own;
    CommitProgress& told = progress ? *progress : own;
    told = CommitProgress{};
    const std::string record = commitRecordPath(worldPath);
    // A save puts a regular file there; anything else was never a record,
    // and the next save that meets it fails and names it.
    if (plat::pathKind(record) != plat::PathKind::File) return Commit::NoneFound;
    auto failed = [&told](const std::string& file, plat::WriteError error) {
        told.failedFile = file;
        told.error = error == plat::WriteError::None ? plat::WriteError::Other : error;
        return Commit::Failed;
    };
    std::string text;
    switch (plat::readWholeFile(record, text, kMaxRecordBytes)) {
        case plat::FileStatus::Ok:
        case plat::FileStatus::TooBig: break;
        case plat::FileStatus::Missing: return Commit::NoneFound;
        // What it names cannot be known: the slot is left as it stands.
        default: return failed(record, plat::WriteError::Other);
    }
    Entry world, seed;
    Left worldLeft = Left::Broken, seedLeft = Left::Broken;
    if (parseRecord(text, worldPath, seedPath, world, seed)) {
        worldLeft = leftOf(world);
        seedLeft = leftOf(seed);
    }
    if (worldLeft == Left::Broken || seedLeft == Left::Broken) {
        // Records are put in place whole, after both temporaries were
        // flushed: this one was not a save's. The record goes first, so that
        // a kill in between leaves nothing that names a missing temporary.
        plat::WriteError error = plat::WriteError::None;
        if (!plat::removeFile(record, &error)) return failed(record, error);
        // Its temporaries, if any, are strays now, cleared with the others.
        return Commit::Discarded;
    }
    // The world first, as the save does: a kill between the two leaves the
    // seed's temporary for the next holder to rename.
    const std::pair<const Entry*, const std::string*> steps[] = {{&world, &worldPath},
                                                                 {&seed, &seedPath}};
    for (int i = 0; i < 2; ++i) {
        const Left left = i == 0 ? worldLeft : seedLeft;
        plat::WriteError error = plat::WriteError::None;
        if (left == Left::Whole && !plat::renameOver(steps[i].first->temporary, *steps[i].second, &error))
            return failed(*steps[i].second, error);
        (i == 0 ? told.worldReplaced : told.seedReplaced) = true;
    }
    // A record left behind here names two temporaries that are gone: the
    // next holder only removes it.
    plat::removeFile(record);
    return Commit::Finished;
}
