// Force-included into the POSIX file calls when they are built for the
// browser (cmake/web.cmake): the Linux calls emscripten's C library lacks.
// Failing renameat2 as a file system that cannot refuse a rename by itself
// sends the caller down its look-then-rename way, which is sound in a page,
// where no other process shares the files.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cerrno>

// Declared, not there: a hint to start writing back, with no disk behind it.
inline int velmoraNoWriteback(int, off_t, off_t, unsigned) { return 0; }
#define sync_file_range velmoraNoWriteback

#define RENAME_NOREPLACE (1 << 0)

inline int renameat2(int, const char*, int, const char*, unsigned) {
    errno = ENOSYS;
    return -1;
}
