#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/common/file_faults.h"

namespace plat {

FileFaults& fileFaults() {
    static FileFaults faults;
    return faults;
}

namespace {

bool faulty(const std::string& path) {
    const FileFaults& f = fileFaults();
    return f.pathContains.empty() || path.find(f.pathContains) != std::string::npos;
}

bool flushFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

InFile::~InFile() {
    if (fd >= 0) ::close(fd);
}

FileStatus openForReading(const std::string& path, InFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    file.size = file.position = 0;
    if (faulty(path) && fileFaults().failOpen) return FileStatus::Unreadable;
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

bool readNext(InFile& file, void* bytes, size_t n) {
    if (!readAt(file, file.position, bytes, n)) return false;
    file.position += int64_t(n);
    return true;
}

long readSmallFile(const std::string& path, void* bytes, size_t max) {
    InFile file;
    if (openForReading(path, file) != FileStatus::Ok) return -1;
    const size_t n = size_t(std::min<int64_t>(file.size, int64_t(max)));
    if (!readAt(file, 0, bytes, n)) return -1;
    return long(n);
}

bool fileExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (faulty(from) && fileFaults().failRename) return false;
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
    if (!temporary.empty()) ::unlink(temporary.c_str());
}

std::string temporaryName(const std::string& target) { return target + ".tmp"; }

bool beginReplacing(const std::string& target, OutFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    file.target = target;
    file.temporary = temporaryName(target);
    file.complete = false;
    file.written = 0;
    if (faulty(target) && fileFaults().failOpen) return false;
    file.fd = ::open(file.temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return file.fd >= 0;
}

bool writeOut(OutFile& file, const void* bytes, size_t n, bool startWriteback) {
    if (file.fd < 0) return false;
    const FileFaults& faults = fileFaults();
    const bool planted = faulty(file.target);
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
                return false;
            }
            chunk = std::min<size_t>(chunk, size_t(room));
        }
        const ssize_t done = ::write(file.fd, in, chunk);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        in += done;
        left -= size_t(done);
        file.written += done;
    }
    if (startWriteback && start >= 0) ::sync_file_range(file.fd, start, off_t(n), SYNC_FILE_RANGE_WRITE);
    return true;
}

bool finishOut(OutFile& file) {
    if (file.fd < 0) return false;
    bool ok = !(faulty(file.target) && fileFaults().failFlush) && ::fsync(file.fd) == 0;
    ok = ::close(file.fd) == 0 && ok;
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
        ok = !(faulty(f.target) && fileFaults().failRename) &&
             ::rename(f.temporary.c_str(), f.target.c_str()) == 0;
        if (ok) f.temporary.clear();  // it is the target now
    }
    // A rename lasts only once the folder holding it is flushed too.
    if (count > 0) ok = flushFolderOf(files[0]->target) && ok;
    return ok;
}

bool replaceFile(const std::string& target, const void* bytes, size_t n) {
    OutFile file;
    if (!beginReplacing(target, file) || !writeOut(file, bytes, n) || !finishOut(file)) return false;
    OutFile* files[] = {&file};
    return commitReplacements(files, 1);
}

}  // namespace plat
