// Files beside the executable, as the game uses them: regular files opened
// for reading without ever blocking (a FIFO or a folder where a world file
// should be is refused, not waited on), and whole files replaced atomically
// (a temporary beside the target, flushed, renamed over it, the folder
// flushed), so that a crash or a full disk leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

// ---- reading -----------------------------------------------------------------
enum class FileStatus : uint8_t {
    Ok,
    Missing,     // nothing by that name
    NotRegular,  // a folder, a FIFO, a device: never a game file
    Unreadable,  // there, but it cannot be opened or read
};

// An open regular file; closed when it goes out of scope.
struct InFile {
    int fd = -1;
    int64_t size = 0;
    int64_t position = 0;  // where readNext goes on
    InFile() = default;
    InFile(const InFile&) = delete;
    InFile& operator=(const InFile&) = delete;
    ~InFile();
};

FileStatus openForReading(const std::string& path, InFile& file);
// Exactly n bytes at offset; false on any error or an early end.
bool readAt(const InFile& file, int64_t offset, void* bytes, size_t n);
// Exactly n bytes from the current position onward.
bool readNext(InFile& file, void* bytes, size_t n);
// The whole of a small file, at most `max` bytes: the count read, or -1 when
// it is not a readable regular file.
long readSmallFile(const std::string& path, void* bytes, size_t max);
// Something (of any kind) exists at that name.
bool fileExists(const std::string& path);

// ---- moving aside --------------------------------------------------------------
// Renames whatever stands at `from` (a file of any kind) to `to`, never over
// something already there, then flushes the folder so that the rename lasts.
// False when nothing was renamed.
bool renameWithoutReplacing(const std::string& from, const std::string& to);

// ---- replacing -----------------------------------------------------------------
// A file being written under a temporary name beside its target. Dropped
// without commitReplacements, the temporary is removed.
struct OutFile {
    int fd = -1;
    std::string target;
    std::string temporary;
    int64_t written = 0;
    bool complete = false;  // finished and flushed, ready to be renamed
    OutFile() = default;
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;
    ~OutFile();
};

// The temporary's name for a target: stray ones from a crash are never read.
std::string temporaryName(const std::string& target);
// Starts writing `target` anew (its temporary, truncated).
bool beginReplacing(const std::string& target, OutFile& file);
// Appends bytes. With `startWriteback` the bytes are sent on their way to the
// disk at once, so that the flush at the end has little left to wait for.
bool writeOut(OutFile& file, const void* bytes, size_t n, bool startWriteback = false);
// Flushes the temporary to the disk and closes it.
bool finishOut(OutFile& file);
// Renames every finished temporary over its target, then flushes the folder
// of the first so that the renames last. All files must be finished.
bool commitReplacements(OutFile* const* files, int count);
// Whole small file in one go (settings, seeds): begin, write, finish, commit.
bool replaceFile(const std::string& target, const void* bytes, size_t n);

}  // namespace plat
