// The advisory locks that keep two writers off one set of files, for every
// system alike: taken without waiting, and refused, never waited on or
// written through, when anything but a lock file stands at the name.
#include "platform/common/file_faults.h"
#include "platform/common/system_files.h"
#include "platform/files.h"

namespace plat {

LockStatus takeLock(const std::string& path, FileLock& lock, WriteError* why) {
    releaseLock(lock);
    WriteError own = WriteError::None;
    WriteError& reason = why ? *why : own;
    reason = WriteError::None;
    const FileFaults& faults = fileFaults();
    const bool planted = faultyPath(path);
    if (planted) sys::plant(path, faults.atLock, faults.linkTarget);
    if (planted && faults.lockHeld) return LockStatus::Held;
    int file = sys::kNoFile;
    sys::Result opened{sys::Outcome::Failed, WriteError::NoPermission};
    if (!(planted && faults.failOpen)) opened = sys::openLockFile(path, file);
    if (opened.outcome != sys::Outcome::Done) {
        // Only a folder that makes no file goes on without a lock; whatever
        // stands at the name and cannot be locked refuses the files it guards.
        const PathKind kind = pathKind(path);
        if (kind == PathKind::Missing) return LockStatus::NoLockFile;
        reason = kind == PathKind::File ? opened.error : WriteError::NotRegular;
        if (reason == WriteError::None || reason == WriteError::NoFolder) reason = WriteError::Other;
        return LockStatus::Blocked;
    }
    if (!sys::isRegularFile(file)) {
        sys::closeFile(file);
        reason = WriteError::NotRegular;
        return LockStatus::Blocked;
    }
    const sys::Result locked = sys::tryLock(file);
    if (locked.outcome != sys::Outcome::Done) {
        sys::closeFile(file);
        if (locked.outcome == sys::Outcome::Held) return LockStatus::Held;
        reason = locked.error;
        return LockStatus::Blocked;
    }
    lock.fd = file;
    return LockStatus::Taken;
}

void releaseLock(FileLock& lock) {
    if (lock.fd != sys::kNoFile) sys::unlockFile(lock.fd);
}

bool lockLost(const FileLock& lock) {
    return lock.fd != sys::kNoFile && !sys::stillLocked(lock.fd);
}

FileLock::~FileLock() { releaseLock(*this); }

}  // namespace plat
