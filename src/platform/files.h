// Files beside the executable, as the game uses them: regular files opened
// for reading without ever blocking (a FIFO or a folder where a world file
// should be is refused, not waited on), whole files replaced atomically (a
// temporary of its own beside the target, flushed, renamed over it, the
// folder flushed), so that a crash or a full disk leaves the old file as it
// was, and advisory locks that keep two writers off one set of files.
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
    TooBig,      // readWholeFile: longer than the caller takes
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
// The whole of a file of at most `max` bytes into `bytes` (emptied on any
// other outcome): a file that is only partly read would lose the rest when
// written back.
FileStatus readWholeFile(const std::string& path, std::string& bytes, size_t max);
// Something (of any kind) exists at that name.
bool fileExists(const std::string& path);

// ---- looking -------------------------------------------------------------------
// What stands at a name, the name itself (a link is not followed).
enum class PathKind : uint8_t { Missing, File, Link, Folder, Other };
PathKind pathKind(const std::string& path);
// A folder stands at that name, or a link to one.
bool isFolder(const std::string& path);
// Both names reach one and the same file (false when either cannot be seen).
bool sameFile(const std::string& a, const std::string& b);

// ---- moving aside --------------------------------------------------------------
// Renames whatever stands at `from` (a file of any kind) to `to`, never over
// something already there, then flushes the folder so that the rename lasts.
// False when nothing was renamed.
bool renameWithoutReplacing(const std::string& from, const std::string& to);

// ---- replacing -----------------------------------------------------------------
// Why a write failed, in the words a player or a log needs.
enum class WriteError : uint8_t {
    None,
    DiskFull,
    ReadOnly,      // a read-only file system
    NoPermission,  // the folder or the file may not be written
    NotRegular,    // a folder, a FIFO, a device or a link stands at the name
    NoFolder,      // the folder named does not exist
    NoNewFiles,    // the folder exists but takes no new files (/proc)
    NoTemporaryName,  // every temporary name tried was taken
    Other,
};
const char* describe(WriteError error);

// A file being written under a temporary name beside its target. Dropped
// without commitReplacements, the temporary is removed.
struct OutFile {
    int fd = -1;
    std::string target;
    std::string temporary;
    int64_t written = 0;
    bool complete = false;  // finished and flushed, ready to be renamed
    bool replaced = false;  // renamed over its target
    WriteError error = WriteError::None;  // of the step that failed
    OutFile() = default;
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;
    ~OutFile();
};

// Every temporary of a target is named `target + ".tmp."` and a suffix of its
// own (the writer's process and a count), so that two writers never share
// one; stray ones from a crash are never read.
std::string temporaryPrefix(const std::string& target);
// Starts writing `target` anew: refuses a target that is a folder, a FIFO or
// a device, then creates a new temporary exclusively (never opening what is
// already there, never following a link, never blocking).
bool beginReplacing(const std::string& target, OutFile& file);
// Appends bytes. With `startWriteback` the bytes are sent on their way to the
// disk at once, so that the flush at the end has little left to wait for.
bool writeOut(OutFile& file, const void* bytes, size_t n, bool startWriteback = false);
// Flushes the temporary to the disk and closes it.
bool finishOut(OutFile& file);
// Renames every finished temporary over its target, in order, then flushes
// the folder of the first so that the renames last. All files must be
// finished. On a failure the files renamed before it keep `replaced`.
bool commitReplacements(OutFile* const* files, int count);
// Whole small file in one go (settings, seeds): begin, write, finish, commit.
// True once the file is replaced, even where its folder could not be flushed.
bool replaceFile(const std::string& target, const void* bytes, size_t n,
                 WriteError* error = nullptr);
// Renames `from`, a finished temporary an earlier writer left, over `to`, then
// flushes the folder; as commitReplacements does for a writer's own files.
bool renameOver(const std::string& from, const std::string& to, WriteError* error = nullptr);
// Removes the file (or link, never what it leads to) at `path` and flushes
// its folder; true when nothing is left there.
bool removeFile(const std::string& path, WriteError* error = nullptr);
// Removes whatever is left under `target`'s temporary names (not folders):
// only for a writer that holds the lock over the target. The count removed.
int removeStrayTemporaries(const std::string& target);

// ---- locking -------------------------------------------------------------------
// An advisory lock on a small file that is never removed; released when the
// lock is dropped or its process ends, however it ends.
struct FileLock {
    int fd = -1;
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
};

enum class LockStatus : uint8_t {
    Taken,
    Held,        // another holder has it (another process, or another FileLock)
    NoLockFile,  // nothing stands at its name and the folder makes no file there (read-only)
    Blocked,     // something that cannot be locked stands at its name (a folder, a
                 // FIFO, a device, a link, a file that cannot be opened)
};
// Takes the lock at `path` (the file made when missing) without waiting. For
// Blocked, `why` (when given) says what stands there.
LockStatus takeLock(const std::string& path, FileLock& lock, WriteError* why = nullptr);
void releaseLock(FileLock& lock);
// A lock taken has since been taken over: never written through then. A
// system's lock lasts until let go; a browser tab's is taken over when the tab
// was hidden long enough that it could not say it was alive. False for a
// lock never taken.
bool lockLost(const FileLock& lock);

}  // namespace plat
