// make_assets: paints the game's 104 bitmaps into <assets>/images and writes
// <assets>/README.md. Usage: make_assets <assets folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "art_table.h"

namespace {

bool writeFile(const std::filesystem::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <assets folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(root / "images", ec);
    for (int resource = 0; resource < art::kTextureCount; ++resource) {
        const auto bytes = art::resourceBmp(resource);
        const auto path = root / "images" / art::resourceFileName(resource);
        if (!writeFile(path, bytes.data(), bytes.size())) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    const std::string readme = art::readmeText();
    if (!writeFile(root / "README.md", readme.data(), readme.size())) {
        std::fprintf(stderr, "make_assets: cannot write README.md\n");
        return 1;
    }
    std::printf("make_assets: %d images written to %s\n", art::kTextureCount,
                (root / "images").string().c_str());
    return 0;
}
