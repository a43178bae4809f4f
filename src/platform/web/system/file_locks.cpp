// The browser's twin of the POSIX lock calls. Emscripten's flock grants every
// request, so a lock is kept in two places of our own: a table inside the
// program, where two locks of one file see each other, and, in a page, an
// entry in the origin's localStorage that every tab of the game can read
// (web/files_pre.js keeps it fresh). Both answer at once, as takeLock's callers
// expect; a Web Lock would answer only in a later turn of the page's loop.
#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <utility>

#include "platform/common/system_files.h"

// 1: this tab now holds the path's lock; 0: another tab holds it. Outside a
// page (the tests and tools under node) no other tab can share the files.
EM_JS(int, velmoraTabLockTake, (int file), {
    const locks = Module.velmoraTabLocks;
    if (!locks) return 1;
    var path = "";
    try { path = FS.getStream(file).path; } catch (error) { return 1; }
    return locks.take(path) ? 1 : 0;
});
EM_JS(int, velmoraTabLockHolds, (int file), {
    const locks = Module.velmoraTabLocks;
    if (!locks) return 1;
    try { return locks.holds(FS.getStream(file).path) ? 1 : 0; } catch (error) { return 1; }
});
EM_JS(void, velmoraTabLockRelease, (int file), {
    const locks = Module.velmoraTabLocks;
    if (!locks) return;
    try { locks.release(FS.getStream(file).path); } catch (error) {}
});

namespace plat::sys {
namespace {

// The file a lock is on, whichever descriptor or name reached it.
using FileKey = std::pair<dev_t, ino_t>;
std::map<FileKey, int>& heldFiles() {
    static std::map<FileKey, int> held;
    return held;
}

}  // namespace

Result tryLock(int file) {
    struct stat info;
    if (::fstat(file, &info) != 0) return {Outcome::Failed, WriteError::Other};
    const FileKey key{info.st_dev, info.st_ino};
    auto& held = heldFiles();
    if (held.count(key) != 0) return {Outcome::Held, WriteError::None};
    if (velmoraTabLockTake(file) == 0) return {Outcome::Held, WriteError::None};
    held.emplace(key, file);
    return {};
}

bool stillLocked(int file) { return velmoraTabLockHolds(file) != 0; }

void unlockFile(int& file) {
    auto& held = heldFiles();
    for (auto it = held.begin(); it != held.end(); ++it) {
        if (it->second != file) continue;
        velmoraTabLockRelease(file);
        held.erase(it);
        break;
    }
    closeFile(file);
}

}  // namespace plat::sys
