#include "platform/common/process.h"

#include <cstdlib>
#include <filesystem>

namespace plat {

std::string runningExeFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

std::string systemEnvironmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace plat
