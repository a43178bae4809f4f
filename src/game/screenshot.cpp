#include "game/screenshot.h"

#include <climits>
#include <filesystem>

#include "platform/platform.h"

std::string takeScreenshot() {
    const std::string folder = plat::filesFolder() + "Screenshots/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return {};
    // Numbers are never reused: the first free one from 0 up.
    for (int n = 0; n < INT_MAX; ++n) {
        std::string path = folder + "Screenshot" + std::to_string(n) + ".bmp";
        if (std::filesystem::exists(path, ec) || ec) continue;
        return plat::saveScreenshot(path) ? path : std::string{};
    }
    return {};
}
