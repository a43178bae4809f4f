// Large zero-filled blocks straight from the system (the world grid), backed by
// huge pages where the system offers them so that first touch stays cheap.
#pragma once

#include <cstddef>

namespace plat {

// Zero-filled, page-aligned; nullptr when the system refuses.
void* allocateZeroed(size_t bytes);
void releaseZeroed(void* block, size_t bytes);

// A hint that memory at p is about to be written: its cache line is fetched.
inline void prefetchForWrite(const void* p) { __builtin_prefetch(p, 1); }

}  // namespace plat
