// make_assets: paints the game's 104 bitmaps into <assets>/images and writes
// <assets>/README.md, or the desktop icon into an icon theme folder.
// Usage: make_assets <assets folder>
//        make_assets --icons <theme folder>   (NxN/apps/velmora.png for each size)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <stb/stb_image_write.h>

#include "art_table.h"
#include "icon.h"

static_assert(sizeof(art::Rgb) == 3, "pictures are handed to the PNG writer as packed RGB");

namespace {

bool writeFile(const std::filesystem::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    return bool(out);
}

int writeIcons(const std::filesystem::path& theme) {
    for (int size : art::kIconSizes) {
        const art::Image icon = art::iconImage(size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const auto folder = theme / name / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const auto path = folder / "velmora.png";
        if (ec || !stbi_write_png(path.string().c_str(), icon.w, icon.h, 3, icon.px.data(), icon.w * 3)) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return writeIcons(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <assets folder>\n       make_assets --icons <theme folder>\n");
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
