// Replacing whole files, for every system alike: a temporary of the writer's
// own beside the target, flushed before it is renamed over it, the folder
// flushed after; removals; the strays a killed writer leaves. The system's
// part is a handful of calls (system_files.h); the planted faults of the
// tests are met here, so that each system meets them the same way.
#include <algorithm>
#include <atomic>

#include "platform/common/file_faults.h"
#include "platform/common/system_files.h"
#include "platform/files.h"

namespace plat {

namespace {

// The folder part of a name, separator kept ("./" when there is none).
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of(sys::kSeparators);
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of(sys::kSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool flushFolderOf(const std::string& path) {
    if (faultyPath(path) && fileFaults().failFolderFlush) return false;
    return sys::flushFolder(folderOf(path));
}

// Marks `file` failed, keeping the first reason; false, for returning.
bool failed(OutFile& file, WriteError why) {
    if (file.error == WriteError::None) file.error = why == WriteError::None ? WriteError::Other : why;
    return false;
}

// A killed process cleans nothing up: its temporary stays for the next
// holder of the lock to find.
void dropTemporary(OutFile& file) {
    if (!file.temporary.empty() && !killedByFaults()) sys::removeName(file.temporary);
    file.temporary.clear();
}

// Aims a writer whose file and temporary are already gone at `target`, as
// new; false (and the error set) when a planted fault refuses the open.
bool restartOut(const std::string& target, OutFile& file) {
    file.target = target;
    file.temporary.clear();
    file.complete = file.replaced = false;
    file.error = WriteError::None;
    file.written = 0;
    if (faultyPath(target) && fileFaults().failOpen) return failed(file, WriteError::NoPermission);
    return true;
}

}  // namespace

std::string temporaryPrefix(const std::string& target) { return target + ".tmp."; }

OutFile::~OutFile() {
    sys::closeFile(fd);
    dropTemporary(*this);
}

bool beginReplacing(const std::string& target, OutFile& file) {
    sys::closeFile(file.fd);
    dropTemporary(file);
    if (!restartOut(target, file)) return false;
    // A rename over a folder fails only after the whole file is written, and
    // one over a FIFO or a device would put a world where a program reads.
    const PathKind kind = pathKind(target);
    if (kind == PathKind::Folder || kind == PathKind::Other) return failed(file, WriteError::NotRegular);
    static std::atomic<unsigned> made{0};
    const std::string prefix = temporaryPrefix(target) + std::to_string(sys::processId()) + ".";
    // Names taken by strays of an earlier process with the same number are
    // passed over; a folder that refuses new files refuses them all.
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        const std::string name = prefix + std::to_string(made++);
        const FileFaults& faults = fileFaults();
        if (i == 0 && faultyPath(target)) sys::plant(name, faults.atTemporary, faults.linkTarget);
        if (!stepSurvives()) return failed(file, WriteError::Other);
        const sys::Result created = sys::createNew(name, file.fd);
        if (created.outcome == sys::Outcome::Done) {
            file.temporary = name;
            return true;
        }
        if (created.outcome == sys::Outcome::Missing && isFolder(folderOf(target)))
            return failed(file, WriteError::NoNewFiles);
        if (created.outcome != sys::Outcome::Taken) return failed(file, created.error);
    }
    return failed(file, WriteError::NoTemporaryName);
}

bool writeOut(OutFile& file, const void* bytes, size_t n, bool startWriteback) {
    if (file.fd == sys::kNoFile) return false;
    if (killedByFaults()) return failed(file, WriteError::Other);
    const FileFaults& faults = fileFaults();
    const bool planted = faultyPath(file.target);
    const int64_t start = file.written;
    auto* in = static_cast<const uint8_t*>(bytes);
    size_t left = n;
    while (left > 0) {
        size_t chunk = left;
        if (planted && faults.shortWrites) chunk = std::min<size_t>(chunk, 4096);
        if (planted && faults.failWriteAfter >= 0) {
            const int64_t room = faults.failWriteAfter - file.written;
            if (room <= 0) return failed(file, WriteError::DiskFull);
            chunk = std::min<size_t>(chunk, size_t(room));
        }
        size_t done = 0;
        const sys::Result wrote = sys::writeSome(file.fd, in, chunk, done);
        if (wrote.outcome != sys::Outcome::Done) return failed(file, wrote.error);
        if (done == 0) return failed(file, WriteError::DiskFull);
        in += done;
        left -= done;
        file.written += int64_t(done);
    }
    if (startWriteback) sys::startWriteback(file.fd, start, n);
    return true;
}

bool finishOut(OutFile& file) {
    if (file.fd == sys::kNoFile) return false;
    if (!stepSurvives()) return failed(file, WriteError::Other);
    bool ok = true;
    if (faultyPath(file.target) && fileFaults().failFlush) {
        ok = failed(file, WriteError::Other);
    } else if (const sys::Result flushed = sys::flushFile(file.fd);
               flushed.outcome != sys::Outcome::Done) {
        ok = failed(file, flushed.error);
    }
    if (const WriteError closed = sys::closeFile(file.fd); closed != WriteError::None && ok)
        ok = failed(file, closed);
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
            ok = failed(f, WriteError::Other);
        } else if (!stepSurvives()) {
            ok = failed(f, WriteError::Other);
        } else if (const sys::Result renamed = sys::renameOver(f.temporary, f.target);
                   renamed.outcome != sys::Outcome::Done) {
            ok = failed(f, renamed.error);
        } else {
            f.temporary.clear();  // it is the target now
            f.replaced = true;
        }
    }
    // A rename lasts only once the folder holding it is flushed too.
    if (count > 0) ok = flushFolderOf(files[0]->target) && ok;
    return ok;
}

bool replaceFile(const std::string& target, const void* bytes, size_t n, WriteError* error) {
    OutFile file;
    OutFile* files[] = {&file};
    // A folder that could not be flushed leaves the file replaced all the
    // same, as renameOver has it: told as failed, it would be written again.
    const bool ok = beginReplacing(target, file) && writeOut(file, bytes, n) && finishOut(file) &&
                    (commitReplacements(files, 1) || file.replaced);
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

bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (faultyPath(from) && fileFaults().failRename) return false;
    if (!stepSurvives()) return false;
    if (!sys::renameNoReplace(from, to)) return false;
    // The rename is done: a folder that cannot be flushed only makes it less
    // sure to outlast a crash, and the name is moved either way.
    flushFolderOf(to);
    return true;
}

bool removeFile(const std::string& path, WriteError* error) {
    WriteError why = WriteError::None;
    if (!stepSurvives()) {
        why = WriteError::Other;
    } else if (const sys::Result removed = sys::removeName(path);
               removed.outcome == sys::Outcome::Done) {
        flushFolderOf(path);
    } else if (removed.outcome != sys::Outcome::Missing) {
        why = removed.error;
    }
    if (error) *error = why;
    return why == WriteError::None;
}

int removeStrayTemporaries(const std::string& target) {
    if (killedByFaults()) return 0;
    const std::string prefix = temporaryPrefix(nameOf(target));
    // The one fixed name older versions used goes too.
    const std::string oldName = prefix.substr(0, prefix.size() - 1);
    return sys::removeNamesIn(folderOf(target), [&](const std::string& name) {
        return name.compare(0, prefix.size(), prefix) == 0 || name == oldName;
    });
}

}  // namespace plat
