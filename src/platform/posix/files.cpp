// Files on Linux and other POSIX systems: the system's side of
// common/system_files.h and the plain lookups of files.h. Kept to plain
// POSIX, with Linux's extras only where their flags are defined, so that a
// build on a POSIX-like file system of another kind takes the same code.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/common/system_files.h"
#include "platform/files.h"

namespace plat {

namespace {

WriteError errorFrom(int code) {
    switch (code) {
        case ENOSPC:
        case EDQUOT: return WriteError::DiskFull;
        case EROFS: return WriteError::ReadOnly;
        case EACCES:
        case EPERM: return WriteError::NoPermission;
        case EISDIR:
        case ELOOP: return WriteError::NotRegular;
        case ENOENT:
        case ENOTDIR: return WriteError::NoFolder;
        default: return WriteError::Other;
    }
}

sys::Result failure(int code, sys::Outcome outcome = sys::Outcome::Failed) {
    return {outcome, errorFrom(code)};
}

}  // namespace

// ---- the plain lookups of files.h -------------------------------------------------
bool fileExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

PathKind pathKind(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISREG(info.st_mode)) return PathKind::File;
    if (S_ISLNK(info.st_mode)) return PathKind::Link;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    return PathKind::Other;
}

bool isFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

namespace sys {

const char kSeparators[] = "/";

// ---- open files ---------------------------------------------------------------
WriteError closeFile(int& file) {
    if (file < 0) return WriteError::None;
    const int code = ::close(file) == 0 ? 0 : errno;
    file = kNoFile;
    return code == 0 ? WriteError::None : errorFrom(code);
}

FileStatus openForReading(const std::string& path, int& file, int64_t& size) {
    // Non-blocking, so that a FIFO in the file's place cannot hang the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileStatus::Missing;
        struct stat info;
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return FileStatus::NotRegular;
        return FileStatus::Unreadable;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return FileStatus::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileStatus::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    file = fd;
    size = int64_t(info.st_size);
    return FileStatus::Ok;
}

bool readAt(int file, int64_t offset, void* bytes, size_t n) {
    auto* out = static_cast<uint8_t*>(bytes);
    while (n > 0) {
        const ssize_t done = ::pread(file, out, n, off_t(offset));
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        out += done;
        offset += done;
        n -= size_t(done);
    }
    return true;
}

// ---- writing ------------------------------------------------------------------
Result createNew(const std::string& name, int& file) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          0644);
    if (fd >= 0) {
        file = fd;
        return {};
    }
    if (errno == EEXIST) return failure(errno, Outcome::Taken);
    if (errno == ENOENT) return failure(errno, Outcome::Missing);
    return failure(errno);
}

Result writeSome(int file, const void* bytes, size_t n, size_t& done) {
    for (;;) {
        const ssize_t wrote = ::write(file, bytes, n);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return failure(errno);
        done = size_t(wrote);
        return {};
    }
}

void startWriteback(int file, int64_t offset, size_t n) {
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(file, off_t(offset), off_t(n), SYNC_FILE_RANGE_WRITE);
#else
    (void)file, (void)offset, (void)n;
#endif
}

Result flushFile(int file) { return ::fsync(file) == 0 ? Result{} : failure(errno); }

// ---- names --------------------------------------------------------------------
Result renameOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? Result{} : failure(errno);
}

bool renameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // A file system that cannot refuse by itself: look first, then rename.
    return !fileExists(to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

Result removeName(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return {};
    return failure(errno, errno == ENOENT ? Outcome::Missing : Outcome::Failed);
}

int removeNamesIn(const std::string& folder, const std::function<bool(const std::string&)>& wanted) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        // unlink never follows a link and refuses a folder: nothing but the
        // name itself goes.
        if (wanted(entry->d_name) && ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

// ---- locks --------------------------------------------------------------------
Result openLockFile(const std::string& path, int& file) {
    // O_NONBLOCK: a FIFO at the name opens at once, and is then refused.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd < 0) return failure(errno);
    file = fd;
    return {};
}

bool isRegularFile(int file) {
    struct stat info;
    return ::fstat(file, &info) == 0 && S_ISREG(info.st_mode);
}

// A browser's flock grants every request: web/system/file_locks.cpp has the
// lock calls there.
#ifndef __EMSCRIPTEN__
Result tryLock(int file) {
    while (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        return failure(errno, errno == EWOULDBLOCK ? Outcome::Held : Outcome::Failed);
    }
    return {};
}

// Closing the only descriptor releases the lock.
void unlockFile(int& file) { closeFile(file); }

bool stillLocked(int) { return true; }
#endif

// ---- the writer's process and the tests ---------------------------------------
uint64_t processId() { return uint64_t(::getpid()); }

void plant(const std::string& name, FileFaults::Planted what, const std::string& linkTarget) {
    [[maybe_unused]] long done = 0;
    switch (what) {
        case FileFaults::Planted::Nothing: break;
        case FileFaults::Planted::File: {
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (fd >= 0) done = ::write(fd, "stray", 5) + ::close(fd);
            break;
        }
        case FileFaults::Planted::Link: done = ::symlink(linkTarget.c_str(), name.c_str()); break;
        case FileFaults::Planted::Fifo: done = ::mkfifo(name.c_str(), 0644); break;
        case FileFaults::Planted::Folder: done = ::mkdir(name.c_str(), 0755); break;
    }
}

}  // namespace sys

}  // namespace plat
