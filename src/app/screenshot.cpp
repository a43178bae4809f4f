#include "app/screenshot.h"

#include <climits>
#include <filesystem>

#include "platform/platform.h"

std::string takeScreenshot() {
    namespace fs = std::filesystem;
    const std::string folder = plat::filesFolder() + "Screenshots/";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return {};
    // Numbers are never reused: the first free one from 0 up. A name is free
    // only when nothing at all stands there (a dangling link takes it too);
    // any other answer than "no such file" means the folder cannot be
    // searched, and this frame saves nothing rather than probe on.
    for (int n = 0; n < INT_MAX; ++n) {
        std::string path = folder + "Screenshot" + std::to_string(n) + ".bmp";
        const fs::file_status s = fs::symlink_status(path, ec);
        if (s.type() == fs::file_type::not_found)
            return plat::saveScreenshot(path) ? path : std::string{};
        if (ec) return {};
    }
    return {};
}
