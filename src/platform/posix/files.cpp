// Files on Linux and other POSIX systems.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/common/file_faults.h"

namespace plat {

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

bool flushFolderOf(const std::string& path) {
    const std::string folder = folderOf(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

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

// Marks `file` failed with the reason in errno; false, for returning.
bool failed(OutFile& file) {
    if (file.error == WriteError::None) file.error = errorFrom(errno);
    return false;
}

// What a test plants where a writer is about to make its temporary or take
// a lock. Whether it could be planted shows in the test, not here.
void plantAt(const std::string& name, FileFaults::Planted planted) {
    const FileFaults& f = fileFaults();
    [[maybe_unused]] long done = 0;
    switch (planted) {
        case FileFaults::Planted::Nothing: break;
        case FileFaults::Planted::File: {
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (fd >= 0) done = ::write(fd, "stray", 5) + ::close(fd);
            break;
        }
        case FileFaults::Planted::Link: done = ::symlink(f.linkTarget.c_str(), name.c_str()); break;
        case FileFaults::Planted::Fifo: done = ::mkfifo(name.c_str(), 0644); break;
        case FileFaults::Planted::Folder: done = ::mkdir(name.c_str(), 0755); break;
    }
}

}  // namespace

InFile::~InFile() {
    if (fd >= 0) ::close(fd);
}

FileStatus openForReading(const std::string& path, InFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    file.size = file.position = 0;
    if (faultyPath(path) && fileFaults().failOpen) return FileStatus::Unreadable;
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
    file.fd = fd;
    file.size = int64_t(info.st_size);
    return FileStatus::Ok;
}

bool readAt(const InFile& file, int64_t offset, void* bytes, size_t n) {
    const int64_t failAt = fileFaults().failReadAt;
    if (failAt >= 0 && failAt >= offset && failAt < offset + int64_t(n)) return false;
    auto* out = static_cast<uint8_t*>(bytes);
    while (n > 0) {
        const ssize_t done = ::pread(file.fd, out, n, off_t(offset));
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        out += done;
        offset += done;
        n -= size_t(done);
    }
    return true;
}

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

bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (faultyPath(from) && fileFaults().failRename) return false;
    if (!stepSurvives()) return false;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        // Some file systems cannot refuse by themselves: look first, then rename.
        if (errno != EINVAL && errno != ENOSYS) return false;
        if (fileExists(to) || ::rename(from.c_str(), to.c_str()) != 0) return false;
    }
    // The rename is done: a folder that cannot be flushed only makes it less
    // sure to outlast a crash, and the name is moved either way.
    flushFolderOf(to);
    return true;
}

OutFile::~OutFile() {
    if (fd >= 0) ::close(fd);
    if (!temporary.empty() && !killedByFaults()) ::unlink(temporary.c_str());
}

bool beginReplacing(const std::string& target, OutFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    if (!file.temporary.empty()) ::unlink(file.temporary.c_str());
    if (!restartOut(target, file)) return false;
    // A rename over a folder fails only after the whole file is written, and
    // one over a FIFO or a device would put a world where a program reads.
    struct stat info;
    if (::lstat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
        file.error = WriteError::NotRegular;
        return false;
    }
    static std::atomic<unsigned> made{0};
    const std::string prefix = temporaryPrefix(target) + std::to_string(::getpid()) + ".";
    // Names taken by strays of an earlier process with the same number are
    // passed over; a folder that refuses new files refuses them all.
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        const std::string name = prefix + std::to_string(made++);
        if (i == 0 && faultyPath(target)) plantAt(name, fileFaults().atTemporary);
        if (!stepSurvives()) return errno = EIO, failed(file);
        const int fd = ::open(name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                              0644);
        if (fd >= 0) {
            file.fd = fd;
            file.temporary = name;
            return true;
        }
        if (errno == ENOENT && isFolder(folderOf(target))) {
            file.error = WriteError::NoNewFiles;
            return false;
        }
        if (errno != EEXIST) return failed(file);
    }
    file.error = WriteError::NoTemporaryName;
    return false;
}

bool writeOut(OutFile& file, const void* bytes, size_t n, bool startWriteback) {
    if (file.fd < 0) return false;
    if (killedByFaults()) return errno = EIO, failed(file);
    const FileFaults& faults = fileFaults();
    const bool planted = faultyPath(file.target);
    const off_t start = ::lseek(file.fd, 0, SEEK_CUR);
    auto* in = static_cast<const uint8_t*>(bytes);
    size_t left = n;
    while (left > 0) {
        size_t chunk = left;
        if (planted && faults.shortWrites) chunk = std::min<size_t>(chunk, 4096);
        if (planted && faults.failWriteAfter >= 0) {
            const int64_t room = faults.failWriteAfter - file.written;
            if (room <= 0) {
                errno = ENOSPC;
                return failed(file);
            }
            chunk = std::min<size_t>(chunk, size_t(room));
        }
        const ssize_t done = ::write(file.fd, in, chunk);
        if (done < 0 && errno == EINTR) continue;
        if (done == 0) errno = ENOSPC;
        if (done <= 0) return failed(file);
        in += done;
        left -= size_t(done);
        file.written += done;
    }
    if (startWriteback && start >= 0) ::sync_file_range(file.fd, start, off_t(n), SYNC_FILE_RANGE_WRITE);
    return true;
}

bool finishOut(OutFile& file) {
    if (file.fd < 0) return false;
    if (!stepSurvives()) return errno = EIO, failed(file);
    bool ok = !(faultyPath(file.target) && fileFaults().failFlush) && ::fsync(file.fd) == 0;
    if (!ok && faultyPath(file.target) && fileFaults().failFlush) errno = EIO;
    if (!ok) failed(file);
    if (::close(file.fd) != 0 && ok) ok = failed(file);
    file.fd = -1;
    file.complete = ok;
    return ok;
}

bool commitReplacements(OutFile* const* files, int count) {
    for (int i = 0; i < count; ++i)
        if (!files[i]->complete) return false;
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        OutFile& f = *files[i];
        if (faultyPath(f.target) && fileFaults().failRename) {
            errno = EIO;
            ok = false;
        } else if (!stepSurvives()) {
            errno = EIO;
            ok = false;
        } else {
            ok = ::rename(f.temporary.c_str(), f.target.c_str()) == 0;
        }
        if (!ok) {
            failed(f);
            break;
        }
        f.temporary.clear();  // it is the target now
        f.replaced = true;
    }
    // A rename lasts only once the folder holding it is flushed too.
    if (count > 0) ok = flushFolderOf(files[0]->target) && ok;
    return ok;
}

bool removeFile(const std::string& path, WriteError* error) {
    WriteError why = WriteError::None;
    if (!stepSurvives()) {
        why = WriteError::Other;
    } else if (::unlink(path.c_str()) == 0) {
        flushFolderOf(path);
    } else if (errno != ENOENT) {
        why = errorFrom(errno);
    }
    if (error) *error = why;
    return why == WriteError::None;
}

int removeStrayTemporaries(const std::string& target) {
    if (killedByFaults()) return 0;
    const std::string folder = folderOf(target);
    const size_t slash = target.find_last_of('/');
    const std::string prefix =
        temporaryPrefix(slash == std::string::npos ? target : target.substr(slash + 1));
    // The one fixed name older versions used goes too.
    const std::string oldName = prefix.substr(0, prefix.size() - 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0 && name != oldName) continue;
        // unlink never follows a link and refuses a folder: nothing but the
        // stray name itself goes.
        if (::unlinkat(::dirfd(dir), name.c_str(), 0) == 0) ++removed;
    }
    ::closedir(dir);
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
    // Never blocking on a FIFO, never writing through a link; a read-only
    // folder still lets an existing lock file be locked.
    constexpr int kFlags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = planted && fileFaults().failOpen ? (errno = EACCES, -1)
                                              : ::open(path.c_str(), O_RDWR | kFlags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS) && !(planted && fileFaults().failOpen))
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // Only a folder that makes no file goes on without a lock; whatever
        // stands at the name and cannot be locked refuses the files it guards.
        const int code = errno;
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0) return LockStatus::NoLockFile;
        reason = S_ISREG(info.st_mode) ? errorFrom(code) : WriteError::NotRegular;
        if (reason == WriteError::None || reason == WriteError::NoFolder) reason = WriteError::Other;
        return LockStatus::Blocked;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        reason = WriteError::NotRegular;
        return LockStatus::Blocked;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool held = errno == EWOULDBLOCK;
        reason = held ? WriteError::None : errorFrom(errno);
        ::close(fd);
        return held ? LockStatus::Held : LockStatus::Blocked;
    }
    lock.fd = fd;
    return LockStatus::Taken;
}

void releaseLock(FileLock& lock) {
    if (lock.fd >= 0) ::close(lock.fd);  // closing the only descriptor releases the lock
    lock.fd = -1;
}

}  // namespace plat
