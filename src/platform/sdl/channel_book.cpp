#include "platform/sdl/channel_book.h"

namespace {

// The oldest live channel, of `sound` only unless it is -1.
int oldestLive(const ChannelBook& book, const bool (&playing)[kEffectChannels], int sound) {
    int best = -1;
    for (int c = 0; c < kEffectChannels; ++c) {
        if (!playing[c] || book.fading[c] || (sound >= 0 && book.sound[c] != sound)) continue;
        if (best < 0 || book.order[c] < book.order[best]) best = c;
    }
    return best;
}

}  // namespace

ChannelChoice chooseChannel(ChannelBook& book, int sound, const bool (&playing)[kEffectChannels]) {
    int live = 0, same = 0;
    for (int c = 0; c < kEffectChannels; ++c) {
        if (!playing[c]) book.fading[c] = false;
        if (!playing[c] || book.fading[c]) continue;
        ++live;
        same += book.sound[c] == sound;
    }
    ChannelChoice choice;
    if (same >= kSameSound)
        choice.fade = oldestLive(book, playing, sound);
    else if (live >= kLiveEffects)
        choice.fade = oldestLive(book, playing, -1);
    if (choice.fade >= 0) book.fading[choice.fade] = true;

    // A silent channel; failing that the oldest fade, which is nearly silent.
    for (int c = 0; c < kEffectChannels && choice.channel < 0; ++c)
        if (!playing[c]) choice.channel = c;
    if (choice.channel < 0) {
        for (int c = 0; c < kEffectChannels; ++c)
            if (book.fading[c] && c != choice.fade &&
                (choice.channel < 0 || book.order[c] < book.order[choice.channel]))
                choice.channel = c;
    }
    if (choice.channel < 0) return choice;  // cannot happen with more channels than live effects
    book.sound[choice.channel] = sound;
    book.order[choice.channel] = ++book.plays;
    book.fading[choice.channel] = false;
    return choice;
}
