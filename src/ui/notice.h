// A short message to the player (a save that failed, a damaged slot), shown
// for a few seconds on whichever screen is up, in the current language. The
// texts are copied, so they may name a file or a number.
#pragma once

#include <cstdint>
#include "world/settings.h"

inline constexpr int32_t kNoticeShowMs = 4000;
// Room for one line across the menus' panel, with its terminator.
inline constexpr int kNoticeChars = 64;

struct Notice {
    char english[kNoticeChars] = "";  // "" = no notice
    char italian[kNoticeChars] = "";
    int32_t postedAt = 0;
};

// Both texts (cut to fit), shown from `now` on.
Notice makeNotice(int32_t now, const char* english, const char* italian);
// The text to show at `now`, or nullptr when there is none or it has expired.
const char* activeNotice(const Settings& settings, const Notice& notice, int32_t now);
