// What every system's files share: the planted faults, the words for a
// failure and reading, built on the system's own calls (system_files.h).
#include "platform/files.h"

#include <algorithm>

#include "platform/common/file_faults.h"
#include "platform/common/system_files.h"

namespace plat {

FileFaults& fileFaults() {
    static FileFaults faults;
    return faults;
}

bool faultyPath(const std::string& path) {
    const FileFaults& f = fileFaults();
    return f.pathContains.empty() || path.find(f.pathContains) != std::string::npos;
}

bool stepSurvives() {
    FileFaults& f = fileFaults();
    if (f.killAfterSteps < 0) return true;
    if (f.stepsTaken >= f.killAfterSteps) return false;
    ++f.stepsTaken;
    return true;
}

bool killedByFaults() {
    const FileFaults& f = fileFaults();
    return f.killAfterSteps >= 0 && f.stepsTaken >= f.killAfterSteps;
}

const char* describe(WriteError error) {
    switch (error) {
        case WriteError::None: return "no error";
        case WriteError::DiskFull: return "the disk is full";
        case WriteError::ReadOnly: return "the folder is on a read-only disk";
        case WriteError::NoPermission: return "no permission to write there";
        case WriteError::NotRegular: return "not a regular file";
        case WriteError::NoFolder: return "no such folder";
        case WriteError::NoNewFiles: return "the folder takes no new files";
        case WriteError::NoTemporaryName: return "no free temporary name";
        case WriteError::Other: break;
    }
    return "the disk refused it";
}

InFile::~InFile() { sys::closeFile(fd); }

FileStatus openForReading(const std::string& path, InFile& file) {
    sys::closeFile(file.fd);
    file.size = file.position = 0;
    if (faultyPath(path) && fileFaults().failOpen) return FileStatus::Unreadable;
    return sys::openForReading(path, file.fd, file.size);
}

bool readAt(const InFile& file, int64_t offset, void* bytes, size_t n) {
    const int64_t failAt = fileFaults().failReadAt;
    if (failAt >= 0 && failAt >= offset && failAt < offset + int64_t(n)) return false;
    return sys::readAt(file.fd, offset, bytes, n);
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

FileStatus readWholeFile(const std::string& path, std::string& bytes, size_t max) {
    bytes.clear();
    InFile file;
    if (FileStatus status = openForReading(path, file); status != FileStatus::Ok) return status;
    if (uint64_t(file.size) > max) return FileStatus::TooBig;
    bytes.resize(size_t(file.size));
    if (!bytes.empty() && !readAt(file, 0, bytes.data(), bytes.size())) {
        bytes.clear();
        return FileStatus::Unreadable;
    }
    return FileStatus::Ok;
}

}  // namespace plat
