// The one text drawer: every text the game shows goes through drawText.
#pragma once

#include <cstdint>

inline constexpr int kTextBufferSize = 999;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;
inline constexpr uint32_t kBlack = 0xFF000000;

// Formats printf-style into a buffer of kTextBufferSize characters (longer
// results are cut, never overrun) and draws it top-left aligned into the box
// from (x, y) to (x + 20 * length, y + 20). A null format draws nothing.
void drawText(int x, int y, uint32_t argb, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
