#include "platform/sdl/bmp_file.h"

#include <cstdio>

namespace sdlplat {
namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}
void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp24(int width, int height, const uint8_t* rgb) {
    constexpr size_t kHeader = 14 + 40;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || !rgb) return {};
    // Every row is padded to a multiple of four bytes.
    const size_t row = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t pixels = row * size_t(height);
    std::vector<uint8_t> out(kHeader + pixels, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, uint32_t(out.size()));
    put32(out, 10, kHeader);
    put32(out, 14, 40);
    put32(out, 18, uint32_t(width));
    put32(out, 22, uint32_t(height));  // positive: rows stored from the bottom up
    put16(out, 26, 1);
    put16(out, 28, 24);
    put32(out, 34, uint32_t(pixels));
    put32(out, 38, 2835);  // 72 dpi
    put32(out, 42, 2835);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rgb + size_t(height - 1 - y) * size_t(width) * 3;
        uint8_t* dst = out.data() + kHeader + size_t(y) * row;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return out;
}

bool writeBmp24(const std::string& path, int width, int height, const uint8_t* rgb) {
    std::vector<uint8_t> bytes = encodeBmp24(width, height, rgb);
    if (bytes.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    // A half-written picture is worse than none.
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace sdlplat
