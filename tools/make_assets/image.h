// In-memory RGB pictures and their encoding as 24-bit uncompressed BMP files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The loader turns exactly this colour into fully transparent texels; 24-bit
// bitmaps have no alpha channel of their own.
constexpr Rgb kClear{255, 0, 255};

struct Image {
    int w = 0, h = 0;
    std::vector<Rgb> px;  // row 0 is the top row

    Image() = default;
    Image(int width, int height, Rgb fillColour = kClear)
        : w(width), h(height), px(size_t(width) * size_t(height), fillColour) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Rgb get(int x, int y) const { return px[size_t(y) * size_t(w) + size_t(x)]; }
    // Writes outside the picture are dropped, so shapes may run off the edges.
    void set(int x, int y, Rgb c) {
        if (inside(x, y)) px[size_t(y) * size_t(w) + size_t(x)] = c;
    }
    // Wraps around the edges, for patterns that must tile across block faces.
    void setWrapped(int x, int y, Rgb c) {
        x = ((x % w) + w) % w;
        y = ((y % h) + h) % h;
        px[size_t(y) * size_t(w) + size_t(x)] = c;
    }
};

// The bytes of a BMP file: 14-byte file header, 40-byte info header, then the
// rows bottom-up in BGR order, each padded with zeros to a multiple of 4 bytes.
std::vector<uint8_t> encodeBmp(const Image& img);

}  // namespace art
