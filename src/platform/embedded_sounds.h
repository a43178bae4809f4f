// The sounds compiled into the executable (platform side only), made by the
// synthesis tool at build time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace embedded {

// One variant of one sound: mono 16-bit little-endian samples at kClipRate.
struct Clip {
    const unsigned char* bytes;
    size_t sampleCount;
};

// {nullptr, 0} for a sound or variant that does not exist.
Clip soundClip(int sound, int variant);

}  // namespace embedded
