#include "image.h"

namespace art {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Image& img) {
    const uint32_t rowBytes = (uint32_t(img.w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(img.h);
    const uint32_t headerBytes = 14 + 40;
    std::vector<uint8_t> out;
    out.reserve(headerBytes + pixelBytes);

    out.push_back('B');
    out.push_back('M');
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, uint32_t(img.w));
    put32(out, uint32_t(img.h));  // positive height: rows stored bottom-up
    put16(out, 1);                // planes
    put16(out, 24);               // bits per pixel
    put32(out, 0);                // BI_RGB, no compression
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dpi, as most painting programs write it
    put32(out, 2835);
    put32(out, 0);  // palette colours
    put32(out, 0);  // important colours

    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) {
            const Rgb c = img.get(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = uint32_t(img.w) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace art
