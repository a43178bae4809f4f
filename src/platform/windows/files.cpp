// Files on Windows: the system's side of common/system_files.h and the plain
// lookups of files.h. Names are UTF-8 and go to the system as UTF-16. A
// handle is kept in an int: Windows guarantees that only the low 32 bits of
// a handle mean anything, and INVALID_HANDLE_VALUE is -1 either way.
#include <windows.h>

#include <algorithm>

#include "platform/common/system_files.h"
#include "platform/files.h"
#include "platform/windows/wide.h"

namespace plat {

namespace {

HANDLE handleOf(int file) { return reinterpret_cast<HANDLE>(intptr_t(file)); }
int fileOf(HANDLE handle) { return int(reinterpret_cast<intptr_t>(handle)); }

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(widen(path).c_str()); }

bool missingError(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
           code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH;
}

WriteError errorFrom(DWORD code) {
    switch (code) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return WriteError::DiskFull;
        case ERROR_WRITE_PROTECT: return WriteError::ReadOnly;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD: return WriteError::NoPermission;
        case ERROR_DIRECTORY:
        case ERROR_CANT_ACCESS_FILE: return WriteError::NotRegular;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: return WriteError::NoFolder;
        default: return WriteError::Other;
    }
}

sys::Result failure(DWORD code, sys::Outcome outcome = sys::Outcome::Failed) {
    return {outcome, errorFrom(code)};
}

}  // namespace

// ---- the plain lookups of files.h -------------------------------------------------
bool fileExists(const std::string& path) {
    if (attributesOf(path) != INVALID_FILE_ATTRIBUTES) return true;
    // Refused (in use, no right to look) still means something is there.
    return !missingError(GetLastError());
}

PathKind pathKind(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data))
        return missingError(GetLastError()) ? PathKind::Missing : PathKind::Other;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::Link;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
    return PathKind::File;
}

bool isFolder(const std::string& path) {
    // Opening follows a link to where it leads, as the other systems' stat does.
    const HANDLE h = CreateFileW(widen(path).c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool folder = GetFileInformationByHandle(h, &info) &&
                        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    return folder;
}

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* names[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        const HANDLE h = CreateFileW(widen(*names[i]).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool ok = GetFileInformationByHandle(h, &info[i]);
        CloseHandle(h);
        if (!ok) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

namespace sys {

const char kSeparators[] = "/\\";

// ---- open files ---------------------------------------------------------------
WriteError closeFile(int& file) {
    if (file == kNoFile) return WriteError::None;
    const DWORD code = CloseHandle(handleOf(file)) ? ERROR_SUCCESS : GetLastError();
    file = kNoFile;
    return code == ERROR_SUCCESS ? WriteError::None : errorFrom(code);
}

FileStatus openForReading(const std::string& path, int& file, int64_t& size) {
    // Others may read, write, rename or delete it meanwhile: a save going on
    // elsewhere replaces the file by name and never touches these bytes.
    const HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (missingError(code)) return FileStatus::Missing;
        const DWORD attributes = attributesOf(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return FileStatus::NotRegular;
        return FileStatus::Unreadable;
    }
    // A device or a pipe ("CON", "NUL", "\\.\pipe\...") is never a game file.
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        return FileStatus::NotRegular;
    }
    file = fileOf(h);
    size = int64_t(uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    return FileStatus::Ok;
}

bool readAt(int file, int64_t offset, void* bytes, size_t n) {
    if (file == kNoFile || offset < 0) return false;
    auto* out = static_cast<uint8_t*>(bytes);
    while (n > 0) {
        OVERLAPPED at{};
        at.Offset = DWORD(uint64_t(offset));
        at.OffsetHigh = DWORD(uint64_t(offset) >> 32);
        DWORD done = 0;
        const DWORD chunk = DWORD(std::min<size_t>(n, 1u << 30));
        if (!ReadFile(handleOf(file), out, chunk, &done, &at) || done == 0) return false;
        out += done;
        offset += done;
        n -= done;
    }
    return true;
}

// ---- writing ------------------------------------------------------------------
Result createNew(const std::string& name, int& file) {
    // CREATE_NEW never opens what is there, a link included; nobody else may
    // open the file while it is written.
    const HANDLE h = CreateFileW(widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        file = fileOf(h);
        return {};
    }
    const DWORD code = GetLastError();
    // A folder by that name answers "access denied", not "exists".
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
        (code == ERROR_ACCESS_DENIED && pathKind(name) != PathKind::Missing))
        return failure(code, Outcome::Taken);
    return failure(code, code == ERROR_PATH_NOT_FOUND ? Outcome::Missing : Outcome::Failed);
}

Result writeSome(int file, const void* bytes, size_t n, size_t& done) {
    DWORD wrote = 0;
    if (!WriteFile(handleOf(file), bytes, DWORD(std::min<size_t>(n, 1u << 30)), &wrote, nullptr))
        return failure(GetLastError());
    done = wrote;
    return {};
}

void startWriteback(int, int64_t, size_t) {}

Result flushFile(int file) {
    return FlushFileBuffers(handleOf(file)) ? Result{} : failure(GetLastError());
}

// ---- names --------------------------------------------------------------------
Result renameOver(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = widen(from), wideTo = widen(to);
    // Something else may hold the target open for a moment (a virus scanner,
    // an indexer, a backup): a replace that meets it tries again a few times.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD code = GetLastError();
        if (attempt >= 5 || (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED &&
                             code != ERROR_LOCK_VIOLATION))
            return failure(code);
        Sleep(DWORD(20 * (attempt + 1)));
    }
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the system itself refuses a taken name.
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH);
}

// MOVEFILE_WRITE_THROUGH returns once a move is on the disk: there is no
// folder to flush afterwards.
bool flushFolder(const std::string&) { return true; }

Result removeName(const std::string& path) {
    if (DeleteFileW(widen(path).c_str())) return {};
    const DWORD code = GetLastError();
    return failure(code, missingError(code) ? Outcome::Missing : Outcome::Failed);
}

int removeNamesIn(const std::string& folder, const std::function<bool(const std::string&)>& wanted) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widen(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int removed = 0;
    do {
        const std::string name = narrow(found.cFileName);
        // Folders stay, and a link to one; DeleteFileW takes a link itself,
        // never what it leads to.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !wanted(name)) continue;
        if (DeleteFileW(widen(folder + name).c_str())) ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

// ---- locks --------------------------------------------------------------------
Result openLockFile(const std::string& path, int& file) {
    // Others may open it too: the lock is on a byte.
    const std::wstring wide = widen(path);
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        h = CreateFileW(wide.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return failure(GetLastError());
    file = fileOf(h);
    return {};
}

bool isRegularFile(int file) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileType(handleOf(file)) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(handleOf(file), &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

Result tryLock(int file) {
    // The system ends the lock with the handle, and the handle with the
    // process, however it ends.
    OVERLAPPED at{};
    if (LockFileEx(handleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return {};
    const DWORD code = GetLastError();
    const bool held = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING;
    return failure(code, held ? Outcome::Held : Outcome::Failed);
}

bool stillLocked(int) { return true; }

void unlockFile(int& file) {
    // Unlocked first: closing alone ends the lock only when the system gets to it.
    OVERLAPPED at{};
    UnlockFileEx(handleOf(file), 0, 1, 0, &at);
    closeFile(file);
}

// ---- the writer's process and the tests ---------------------------------------
uint64_t processId() { return GetCurrentProcessId(); }

// Windows has no FIFOs, and links only with a right most accounts lack.
void plant(const std::string& name, FileFaults::Planted what, const std::string& linkTarget) {
    const std::wstring wide = widen(name);
    switch (what) {
        case FileFaults::Planted::Nothing:
        case FileFaults::Planted::Fifo: break;
        case FileFaults::Planted::File: {
            const HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                DWORD done = 0;
                WriteFile(h, "stray", 5, &done, nullptr);
                CloseHandle(h);
            }
            break;
        }
        case FileFaults::Planted::Link:
            CreateSymbolicLinkW(wide.c_str(), widen(linkTarget).c_str(),
                                SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
            break;
        case FileFaults::Planted::Folder: CreateDirectoryW(wide.c_str(), nullptr); break;
    }
}

}  // namespace sys

}  // namespace plat
