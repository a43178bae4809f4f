// Build-time tool: stand-in pictures of the right sizes for the images the
// art set does not have yet, so that the game always builds and runs.
//
//   velmora_placeholder_art OUTDIR NNN [NNN ...]   writes OUTDIR/NNN.bmp
//
// They are plain on purpose: a flat colour per image with a darker checker,
// except the few the menus lean on (light menu panel, white arrow, white dot).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sdl/bmp_file.h"

namespace {

struct Size {
    int w, h;
};

Size resourceSize(int resource) {
    switch (resource) {
        case 13:
            return {2, 2};
        case 15:
            return {36, 36};
        case 44:
            return {1024, 1024};
        case 45:
            return {16, 16};
        case 46:
            return {36, 36};
        case 91:
            return {800, 32};
        case 0:
            return {48, 48};
        default:
            return {32, 32};
    }
}

void paint(int resource, int w, int h, std::vector<uint8_t>& rgb) {
    auto set = [&](int x, int y, int r, int g, int b) {
        uint8_t* p = &rgb[3 * (size_t(y) * w + x)];
        p[0] = uint8_t(r), p[1] = uint8_t(g), p[2] = uint8_t(b);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (resource == 44) {
                // Menu background: earth border, green top edge, light panel.
                bool panel = x >= 150 && x < 650 && y >= 120 && y < 480;
                if (panel)
                    set(x, y, 232, 222, 196);
                else if (y < 24)
                    set(x, y, 70, 150, 50);
                else
                    set(x, y, 120, 80, 45);
            } else if (resource == 45) {
                // Arrow: white right-pointing triangle on black.
                int dy = y < 8 ? 8 - y : y - 7;
                bool inside = x >= 3 && x < 13 && dy <= 7 - (x - 3) * 7 / 10;
                int v = inside ? 255 : 0;
                set(x, y, v, v, v);
            } else if (resource == 13) {
                set(x, y, 255, 255, 255);
            } else if (resource == 14) {
                set(x, y, 40, 40, 40);
            } else {
                int r = 60 + (resource * 53) % 180, g = 60 + (resource * 97) % 180,
                    b = 60 + (resource * 31) % 180;
                int shade = ((x / 8 + y / 8) & 1) ? 0 : 30;
                set(x, y, r - shade, g - shade, b - shade);
            }
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR NNN...\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    for (int i = 2; i < argc; ++i) {
        int resource = std::atoi(argv[i]);
        Size s = resourceSize(resource);
        std::vector<uint8_t> rgb(size_t(s.w) * s.h * 3);
        paint(resource, s.w, s.h, rgb);
        char name[16];
        std::snprintf(name, sizeof name, "/%03d.bmp", resource);
        if (!sdlplat::writeBmp24(dir + name, s.w, s.h, rgb.data())) {
            std::fprintf(stderr, "velmora_placeholder_art: cannot write %s%s\n", dir.c_str(), name);
            return 1;
        }
    }
    return 0;
}
