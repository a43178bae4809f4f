#include "platform/memory.h"

#include <sys/mman.h>

namespace plat {

void* allocateZeroed(size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return nullptr;
    // A hint only: without huge pages the block works the same, just slower to fill.
    madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void releaseZeroed(void* block, size_t bytes) {
    if (block) munmap(block, bytes);
}

}  // namespace plat
