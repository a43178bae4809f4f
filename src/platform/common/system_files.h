// The few calls each system makes for the files of files.h. posix/files.cpp
// and windows/files.cpp each implement them; the protocol built on them
// (temporaries, commits, strays, locks) is written once, in file_replacing.cpp,
// file_locks.cpp and files.cpp. Nothing here looks at the faults a test
// plants: the common code does, before it calls down, so that every system
// meets them alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/common/file_faults.h"
#include "platform/files.h"

namespace plat::sys {

// An open file is kept in an int: a descriptor, or on Windows a HANDLE, of
// which only the low 32 bits mean anything. -1 is none on both.
constexpr int kNoFile = -1;

// How a call ended. Each system sorts its own codes (errno, GetLastError)
// into what the protocol decides by; `error` says why whenever it is not Done.
enum class Outcome : uint8_t {
    Done,
    Taken,    // createNew: something already stands at the name
    Missing,  // nothing at the name, or a folder on the way to it is missing
    Held,     // tryLock: another holder has the lock
    Failed,
};
struct Result {
    Outcome outcome = Outcome::Done;
    WriteError error = WriteError::None;
};

// What ends a name's folder part: "/", and on Windows "\" as well.
extern const char kSeparators[];

// ---- open files ---------------------------------------------------------------
// Closes the file when it is open and marks it closed; what the close said.
WriteError closeFile(int& file);
// Opens a regular file for reading without ever blocking; its size.
FileStatus openForReading(const std::string& path, int& file, int64_t& size);
// Exactly n bytes at offset; false on any error or an early end.
bool readAt(int file, int64_t offset, void* bytes, size_t n);

// ---- writing ------------------------------------------------------------------
// Makes a new file at `name` open for writing: never opens what is there (a
// link neither, nor what it leads to), never blocks.
Result createNew(const std::string& name, int& file);
// Writes the first of the bytes, as many as the system takes in one go
// (`done`, none when the disk takes no more).
Result writeSome(int file, const void* bytes, size_t n, size_t& done);
// Sends the n bytes written from `offset` on their way to the disk without
// waiting for them, where the system can.
void startWriteback(int file, int64_t offset, size_t n);
// Returns once the bytes written are on the disk.
Result flushFile(int file);

// ---- names --------------------------------------------------------------------
// Renames `from` over the file at `to`, in one step for anyone looking.
Result renameOver(const std::string& from, const std::string& to);
// Renames `from` to `to` only when nothing stands at `to`.
bool renameNoReplace(const std::string& from, const std::string& to);
// Flushes a folder, so that the renames and removals in it outlast a crash;
// true where the system has them on the disk already.
bool flushFolder(const std::string& folder);
// Removes the file or link (never what it leads to) at `path`, never a
// folder: Missing when nothing was there.
Result removeName(const std::string& path);
// Removes each name in `folder` that `wanted` takes (as removeName would):
// how many went.
int removeNamesIn(const std::string& folder, const std::function<bool(const std::string&)>& wanted);

// ---- locks --------------------------------------------------------------------
// Opens the lock file at `path`, made when missing, without following a link
// or blocking; where the folder or the disk refuses writing, an existing one
// is opened for reading, which locks as well.
Result openLockFile(const std::string& path, int& file);
// The open file is a regular file on a disk: no folder, link, device or pipe.
bool isRegularFile(int file);
// Takes the lock on the open file without waiting: Done, Held or Failed.
Result tryLock(int file);
// Lets go of the lock and closes its file.
void unlockFile(int& file);
// The lock on the open file is still ours (only a browser's can be lost).
bool stillLocked(int file);

// ---- the writer's process and the tests ---------------------------------------
uint64_t processId();
// Makes what a test plants at `name`; what cannot be made on this system is
// left out, and the tests look at what was made.
void plant(const std::string& name, FileFaults::Planted what, const std::string& linkTarget);

}  // namespace plat::sys
