// Which mixer channel a new effect plays on, and which playing effects give
// way to it. Effects never cut each other off: one that must give way is
// faded out over a few milliseconds, and the spare channels hold the fades.
// Pure bookkeeping, so that the rules are tested without an audio device.
#pragma once

#include <cstdint>

inline constexpr int kEffectChannels = 24;
inline constexpr int kLiveEffects = 16;  // playing at once, not counting fades
inline constexpr int kSameSound = 3;     // of one sound (any variant) at once

struct ChannelBook {
    int sound[kEffectChannels];  // -1: nothing played there yet
    uint32_t order[kEffectChannels] = {};  // when each was started, in plays
    bool fading[kEffectChannels] = {};
    uint32_t plays = 0;
    ChannelBook() {
        for (int& s : sound) s = -1;
    }
};

struct ChannelChoice {
    int channel = -1;  // where the new effect plays
    int fade = -1;     // a channel to fade out first (-1: none)
};

// `playing[c]` says whether channel c still sounds. Records the new effect
// on the channel it returns.
ChannelChoice chooseChannel(ChannelBook& book, int sound, const bool (&playing)[kEffectChannels]);
