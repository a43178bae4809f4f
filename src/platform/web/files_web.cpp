// The files folder's copies to the browser's storage (IndexedDB), which
// files_pre.js mounted and read back before main ran. A copy takes every
// file at once and ends in a later frame; tickets are counted, so that a
// writer learns whether a copy that began after its request succeeded.
#include <emscripten.h>

#include "platform/platform.h"

namespace {

// Asks for a copy: one starts at once unless one is running, in which case
// the next starts when it ends. The request's number.
EM_JS(unsigned, velmora_persist_request, (), {
    const s = Module.velmoraPersist;
    s.asked += 1;
    s.start();
    return s.asked;
});

// 0 done, 1 pending, 2 failed.
EM_JS(int, velmora_persist_state, (unsigned ticket), {
    const s = Module.velmoraPersist;
    if (s.succeeded >= ticket) return 0;
    if (s.failed >= ticket) return 2;
    return 1;
});

}  // namespace

namespace plat {

PersistTicket requestPersist() { return velmora_persist_request(); }

PersistState persistState(PersistTicket ticket) {
    switch (velmora_persist_state(ticket)) {
        case 0: return PersistState::Done;
        case 2: return PersistState::Failed;
        default: return PersistState::Pending;
    }
}

}  // namespace plat
