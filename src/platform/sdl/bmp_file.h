// 24-bit BMP files: the format of screenshots (and of the placeholder art).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sdlplat {

// The bytes of a 24-bit uncompressed BMP of `rgb` (width x height, three bytes
// per pixel, rows from the top). Empty when the size is not positive or too big.
std::vector<uint8_t> encodeBmp24(int width, int height, const uint8_t* rgb);

// Writes encodeBmp24 to `path`; false (and no file left behind) on any failure.
bool writeBmp24(const std::string& path, int width, int height, const uint8_t* rgb);

}  // namespace sdlplat
