#include "platform/memory.h"

#include <windows.h>

namespace plat {

namespace {

// Large pages need the account's "Lock pages in memory" right, switched on
// in the process's token. Asked once; false when the account lacks it.
bool largePagesGranted() {
    static const bool granted = [] {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
            return false;
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        bool ok = LookupPrivilegeValueW(nullptr, L"SeLockMemoryPrivilege",
                                        &privileges.Privileges[0].Luid) &&
                  AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                  GetLastError() == ERROR_SUCCESS;  // not ERROR_NOT_ALL_ASSIGNED
        CloseHandle(token);
        return ok;
    }();
    return granted;
}

}  // namespace

void* allocateZeroed(size_t bytes) {
    // Large pages are taken whole and at once; any refusal falls back to
    // ordinary pages, which work the same, only slower to fill.
    const size_t large = GetLargePageMinimum();
    if (large > 0 && bytes >= large && largePagesGranted()) {
        const size_t rounded = (bytes + large - 1) / large * large;
        if (void* block = VirtualAlloc(nullptr, rounded,
                                       MEM_RESERVE | MEM_COMMIT | MEM_LARGE_PAGES, PAGE_READWRITE))
            return block;
    }
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void releaseZeroed(void* block, size_t) {
    if (block) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace plat
