#include "platform/common/process.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace plat {

std::string runningExeFolder() {
    // The name may be longer than MAX_PATH: grow until it fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (n == 0) return "./";
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        if (name.size() >= 32768) return "./";
        name.resize(name.size() * 2);
    }
    std::string folder = narrow(name);
    for (char& c : folder)
        if (c == '\\') c = '/';
    const size_t slash = folder.find_last_of('/');
    return slash == std::string::npos ? "./" : folder.substr(0, slash + 1);
}

std::string systemEnvironmentVariable(const char* name) {
    const std::wstring wide = widen(name);
    DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    // The variable may change between the two calls: ask again until it fits.
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(wide.c_str(), value.data(), DWORD(value.size()));
        if (n == 0) return {};
        if (n < value.size()) {
            value.resize(n);
            return narrow(value);
        }
        value.resize(n);
    }
}

}  // namespace plat
