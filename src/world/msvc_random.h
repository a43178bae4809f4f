// The world generator's random source: the Microsoft C runtime's linear
// congruential generator, reproduced exactly so that one seed is one world.
#pragma once

#include <cstdint>

struct MsvcRandom {
    uint32_t state = 1;  // the C runtime starts as if seeded with 1
};

inline void msvcSrand(MsvcRandom& r, uint32_t seed) {
    r.state = seed;
}

// 0..32767, the upper bits of the state after one step.
inline int msvcRand(MsvcRandom& r) {
    r.state = r.state * 214013u + 2531011u;
    return int((r.state >> 16) & 0x7FFF);
}
