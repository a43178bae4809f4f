// Files on Windows. Names are UTF-8 and go to the system as UTF-16. A handle
// is kept in the descriptor fields: Windows guarantees that only the low 32
// bits of a handle mean anything, and INVALID_HANDLE_VALUE is -1 either way.
#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/common/file_faults.h"
#include "platform/windows/wide.h"

namespace plat {

namespace {

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(intptr_t(fd)); }
int fdOf(HANDLE handle) { return int(reinterpret_cast<intptr_t>(handle)); }

void closeFd(int& fd) {
    if (fd != -1) CloseHandle(handleOf(fd));
    fd = -1;
}

// Both separators count.
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}
std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

// Marks `file` failed with the reason the system gave; false, for returning.
bool failed(OutFile& file, DWORD code) {
    if (file.error == WriteError::None) file.error = errorFrom(code);
    return false;
}

// What a test plants where a writer is about to make its temporary or take
// a lock. Windows has no FIFOs, and links only with a right most accounts
// lack: the tests look at what could be planted.
void plantAt(const std::string& name, FileFaults::Planted planted) {
    const FileFaults& f = fileFaults();
    const std::wstring wide = widen(name);
    switch (planted) {
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
            CreateSymbolicLinkW(wide.c_str(), widen(f.linkTarget).c_str(),
                                SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
            break;
        case FileFaults::Planted::Folder: CreateDirectoryW(wide.c_str(), nullptr); break;
    }
}

// Something else may hold the target open for a moment (a virus scanner, an
// indexer, a backup); a replace that meets it tries again a few times.
bool moveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD code = GetLastError();
        if (attempt >= 5 || (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED &&
                             code != ERROR_LOCK_VIOLATION))
            return false;
        Sleep(DWORD(20 * (attempt + 1)));
        SetLastError(code);
    }
}

}  // namespace

InFile::~InFile() { closeFd(fd); }

FileStatus openForReading(const std::string& path, InFile& file) {
    closeFd(file.fd);
    file.size = file.position = 0;
    if (faultyPath(path) && fileFaults().failOpen) return FileStatus::Unreadable;
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
    file.fd = fdOf(h);
    file.size = int64_t(uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    return FileStatus::Ok;
}

bool readAt(const InFile& file, int64_t offset, void* bytes, size_t n) {
    const int64_t failAt = fileFaults().failReadAt;
    if (failAt >= 0 && failAt >= offset && failAt < offset + int64_t(n)) return false;
    if (file.fd == -1 || offset < 0) return false;
    auto* out = static_cast<uint8_t*>(bytes);
    while (n > 0) {
        OVERLAPPED at{};
        at.Offset = DWORD(uint64_t(offset));
        at.OffsetHigh = DWORD(uint64_t(offset) >> 32);
        DWORD done = 0;
        const DWORD chunk = DWORD(std::min<size_t>(n, 1u << 30));
        if (!ReadFile(handleOf(file.fd), out, chunk, &done, &at) || done == 0) return false;
        out += done;
        offset += done;
        n -= done;
    }
    return true;
}

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

bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (faultyPath(from) && fileFaults().failRename) return false;
    if (!stepSurvives()) return false;
    // Without MOVEFILE_REPLACE_EXISTING the system itself refuses a taken name.
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH);
}

OutFile::~OutFile() {
    closeFd(fd);
    if (!temporary.empty() && !killedByFaults()) DeleteFileW(widen(temporary).c_str());
}

bool beginReplacing(const std::string& target, OutFile& file) {
    closeFd(file.fd);
    if (!file.temporary.empty()) DeleteFileW(widen(file.temporary).c_str());
    if (!restartOut(target, file)) return false;
    // A move over a folder fails only after the whole file is written; a
    // device name would put a world where a program reads.
    const PathKind kind = pathKind(target);
    if (kind == PathKind::Folder || kind == PathKind::Other) {
        file.error = WriteError::NotRegular;
        return false;
    }
    static std::atomic<unsigned> made{0};
    const std::string prefix =
        temporaryPrefix(target) + std::to_string(GetCurrentProcessId()) + ".";
    // Names taken by strays of an earlier process with the same number are
    // passed over; a folder that refuses new files refuses them all.
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        const std::string name = prefix + std::to_string(made++);
        if (i == 0 && faultyPath(target)) plantAt(name, fileFaults().atTemporary);
        if (!stepSurvives()) return failed(file, ERROR_WRITE_FAULT);
        // CREATE_NEW never opens what is there, a link included; nobody else
        // may open the temporary while it is written.
        const HANDLE h = CreateFileW(widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            file.fd = fdOf(h);
            file.temporary = name;
            return true;
        }
        const DWORD code = GetLastError();
        // A folder by that name answers "access denied", not "exists".
        const bool taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                           (code == ERROR_ACCESS_DENIED && pathKind(name) != PathKind::Missing);
        if (!taken && code == ERROR_PATH_NOT_FOUND && isFolder(folderOf(target))) {
            file.error = WriteError::NoNewFiles;
            return false;
        }
        if (!taken) return failed(file, code);
    }
    file.error = WriteError::NoTemporaryName;
    return false;
}

bool writeOut(OutFile& file, const void* bytes, size_t n, bool) {
    if (file.fd == -1) return false;
    if (killedByFaults()) return failed(file, ERROR_WRITE_FAULT);
    const FileFaults& faults = fileFaults();
    const bool planted = faultyPath(file.target);
    auto* in = static_cast<const uint8_t*>(bytes);
    size_t left = n;
    while (left > 0) {
        size_t chunk = std::min<size_t>(left, 1u << 30);
        if (planted && faults.shortWrites) chunk = std::min<size_t>(chunk, 4096);
        if (planted && faults.failWriteAfter >= 0) {
            const int64_t room = faults.failWriteAfter - file.written;
            if (room <= 0) return failed(file, ERROR_DISK_FULL);
            chunk = std::min<size_t>(chunk, size_t(room));
        }
        DWORD done = 0;
        if (!WriteFile(handleOf(file.fd), in, DWORD(chunk), &done, nullptr))
            return failed(file, GetLastError());
        if (done == 0) return failed(file, ERROR_DISK_FULL);
        in += done;
        left -= done;
        file.written += done;
    }
    return true;
}

bool finishOut(OutFile& file) {
    if (file.fd == -1) return false;
    if (!stepSurvives()) return failed(file, ERROR_WRITE_FAULT);
    bool ok = true;
    if (faultyPath(file.target) && fileFaults().failFlush)
        ok = failed(file, ERROR_WRITE_FAULT);
    else if (!FlushFileBuffers(handleOf(file.fd)))
        ok = failed(file, GetLastError());
    if (!CloseHandle(handleOf(file.fd)) && ok) ok = failed(file, GetLastError());
    file.fd = -1;
    file.complete = ok;
    return ok;
}

bool commitReplacements(OutFile* const* files, int count) {
    for (int i = 0; i < count; ++i)
        if (!files[i]->complete) return false;
    // MOVEFILE_WRITE_THROUGH returns once the move is on the disk: there is no
    // folder to flush afterwards.
    for (int i = 0; i < count; ++i) {
        OutFile& f = *files[i];
        if (faultyPath(f.target) && fileFaults().failRename) return failed(f, ERROR_WRITE_FAULT);
        if (!stepSurvives()) return failed(f, ERROR_WRITE_FAULT);
        if (!moveOver(widen(f.temporary), widen(f.target))) return failed(f, GetLastError());
        f.temporary.clear();  // it is the target now
        f.replaced = true;
    }
    return true;
}

bool removeFile(const std::string& path, WriteError* error) {
    WriteError why = WriteError::None;
    if (!stepSurvives()) {
        why = WriteError::Other;
    } else if (!DeleteFileW(widen(path).c_str())) {
        const DWORD code = GetLastError();
        if (!missingError(code)) why = errorFrom(code);
    }
    if (error) *error = why;
    return why == WriteError::None;
}

int removeStrayTemporaries(const std::string& target) {
    if (killedByFaults()) return 0;
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(nameOf(target));
    // The one fixed name older versions used goes too.
    const std::string oldName = prefix.substr(0, prefix.size() - 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widen(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int removed = 0;
    do {
        const std::string name = narrow(found.cFileName);
        if (name.compare(0, prefix.size(), prefix) != 0 && name != oldName) continue;
        // Folders stay, and a link to one; DeleteFileW takes a link itself,
        // never what it leads to.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (DeleteFileW(widen(folder + name).c_str())) ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

LockStatus takeLock(const std::string& path, FileLock& lock, WriteError* why) {
    releaseLock(lock);
    WriteError own = WriteError::None;
    WriteError& reason = why ? *why : own;
    reason = WriteError::None;
    const bool planted = faultyPath(path);
    if (planted) plantAt(path, fileFaults().atLock);
    if (planted && fileFaults().lockHeld) return LockStatus::Held;
    // Never writing through a link; a read-only folder still lets an existing
    // lock file be locked. Others may open it too: the lock is on a byte.
    const std::wstring wide = widen(path);
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE h = INVALID_HANDLE_VALUE;
    if (planted && fileFaults().failOpen) {
        SetLastError(ERROR_ACCESS_DENIED);
    } else {
        h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
            h = CreateFileW(wide.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    }
    if (h == INVALID_HANDLE_VALUE) {
        // Only a folder that makes no file goes on without a lock; whatever
        // stands at the name and cannot be locked refuses the files it guards.
        const DWORD code = GetLastError();
        const PathKind kind = pathKind(path);
        if (kind == PathKind::Missing) return LockStatus::NoLockFile;
        reason = kind == PathKind::File ? errorFrom(code) : WriteError::NotRegular;
        if (reason == WriteError::None || reason == WriteError::NoFolder) reason = WriteError::Other;
        return LockStatus::Blocked;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        CloseHandle(h);
        reason = WriteError::NotRegular;
        return LockStatus::Blocked;
    }
    // The system ends the lock with the handle, and the handle with the
    // process, however it ends.
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD code = GetLastError();
        CloseHandle(h);
        if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return LockStatus::Held;
        reason = errorFrom(code);
        return LockStatus::Blocked;
    }
    lock.fd = fdOf(h);
    return LockStatus::Taken;
}

void releaseLock(FileLock& lock) {
    if (lock.fd == -1) return;
    // Unlocked first: closing alone ends the lock only when the system gets to it.
    OVERLAPPED at{};
    UnlockFileEx(handleOf(lock.fd), 0, 1, 0, &at);
    closeFd(lock.fd);
}

}  // namespace plat
