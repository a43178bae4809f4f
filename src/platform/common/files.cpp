// What every system's files share: the planted faults, the words for a
// failure, the temporaries' names and the whole-file helpers built on the
// system's own calls (posix/files.cpp, windows/files.cpp).
#include "platform/files.h"

#include <algorithm>

#include "platform/common/file_faults.h"

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

bool restartOut(const std::string& target, OutFile& file) {
    file.fd = -1;
    file.target = target;
    file.temporary.clear();
    file.complete = file.replaced = false;
    file.error = WriteError::None;
    file.written = 0;
    if (faultyPath(target) && fileFaults().failOpen) {
        file.error = WriteError::NoPermission;
        return false;
    }
    return true;
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

std::string temporaryPrefix(const std::string& target) { return target + ".tmp."; }

bool replaceFile(const std::string& target, const void* bytes, size_t n, WriteError* error) {
    OutFile file;
    OutFile* files[] = {&file};
    const bool ok = beginReplacing(target, file) && writeOut(file, bytes, n) && finishOut(file) &&
                    commitReplacements(files, 1);
    if (error) *error = ok ? WriteError::None : file.error;
    return ok;
}

bool renameOver(const std::string& from, const std::string& to, WriteError* error) {
    OutFile file;
    file.target = to;
    file.temporary = from;
    file.complete = true;
    OutFile* files[] = {&file};
    commitReplacements(files, 1);
    file.temporary.clear();  // never removed here: it was not this writer's
    if (error) *error = file.error;
    // A folder that could not be flushed leaves the rename done all the same.
    return file.replaced;
}

FileLock::~FileLock() { releaseLock(*this); }

}  // namespace plat
