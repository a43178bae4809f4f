// The images and the font compiled into the executable (platform side only).
#pragma once

#include <cstddef>

namespace embedded {

struct Blob {
    const unsigned char* data;
    size_t size;
};

// Bitmap resource 0..103 as the bytes of a 24-bit BMP file; {nullptr, 0} if absent.
Blob bitmap(int resource);
// The bold monospaced TrueType font of every text.
Blob monoBoldFont();

}  // namespace embedded
