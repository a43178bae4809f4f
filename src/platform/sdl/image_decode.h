// Turning the embedded bitmaps into texels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sdlplat {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // rows from the top, 4 bytes per texel
};

// The bitmaps have no alpha channel, so one colour stands for "nothing here":
// pure magenta texels come out fully transparent (torches, arrows, frames),
// every other texel fully opaque.
inline constexpr uint8_t kKeyRed = 255, kKeyGreen = 0, kKeyBlue = 255;

// false when the bytes are not a readable image.
bool decodeImage(const unsigned char* data, size_t size, Image& out);

}  // namespace sdlplat
