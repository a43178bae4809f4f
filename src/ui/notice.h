// A short message to the player (a save that failed, a damaged slot), shown
// for a few seconds on whichever screen is up, in the current language.
#pragma once

#include <cstdint>

inline constexpr int32_t kNoticeShowMs = 4000;

struct Notice {
    const char* english = nullptr;
    const char* italian = nullptr;
    int32_t postedAt = 0;
};

extern Notice notice;

// Both texts must be string literals (they are kept, not copied).
void postNotice(const char* english, const char* italian);
// The text to show now, or nullptr when there is none or it has expired.
const char* activeNotice(int32_t now);

void resetNotice();
