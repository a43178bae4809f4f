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

std::string temporaryPrefix(const std::string& target) { return target + ".tmp."; }

bool replaceFile(const std::string& target, const void* bytes, size_t n, WriteError* error) {
    OutFile file;
    OutFile* files[] = {&file};
    const bool ok = beginReplacing(target, file) && writeOut(file, bytes, n) && finishOut(file) &&
                    commitReplacements(files, 1);
    if (error) *error = ok ? WriteError::None : file.error;
    return ok;
}

FileLock::~FileLock() { releaseLock(*this); }

}  // namespace plat
