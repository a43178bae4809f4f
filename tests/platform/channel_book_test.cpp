// The mixer's bookkeeping: who gives way to a new effect, and how a clip is
// stretched for its pitch.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/sdl/channel_book.h"
#include "platform/sdl/clip_pitch.h"
#include "platform/sounds.h"

namespace {

struct Mixer {
    ChannelBook book;
    bool playing[kEffectChannels] = {};
    ChannelChoice play(int sound) {
        const ChannelChoice c = chooseChannel(book, sound, playing);
        if (c.channel >= 0) playing[c.channel] = true;
        return c;
    }
};

TEST(ChannelBook, AFourthOfOneSoundFadesTheOldestOfThem) {
    Mixer m;
    const int first = m.play(5).channel;
    m.play(5);
    m.play(7);
    EXPECT_EQ(m.play(5).fade, -1);
    const ChannelChoice fourth = m.play(5);
    EXPECT_EQ(fourth.fade, first);
    EXPECT_NE(fourth.channel, first);  // the fade plays on to its end
    // Once the fade has finished its channel is free again.
    m.playing[first] = false;
    EXPECT_EQ(m.play(9).channel, first);
}

TEST(ChannelBook, BeyondSixteenTheOldestFadesAndEveryPlayFindsAChannel) {
    Mixer m;
    for (int i = 0; i < kLiveEffects; ++i) EXPECT_EQ(m.play(i).fade, -1);
    // Many more, none ending: each fades the oldest live one and still plays.
    std::vector<int> faded;
    for (int i = 0; i < 40; ++i) {
        const ChannelChoice c = m.play(100 + i);
        ASSERT_GE(c.channel, 0);
        ASSERT_GE(c.fade, 0);
        EXPECT_NE(c.channel, c.fade);
        faded.push_back(c.fade);
    }
    int live = 0;
    for (int c = 0; c < kEffectChannels; ++c) live += m.playing[c] && !m.book.fading[c];
    EXPECT_EQ(live, kLiveEffects);
}

TEST(ClipPitch, AHigherPitchIsShorterAndEndsWhereTheClipEnds) {
    // A ramp up and back to zero, as little-endian bytes.
    std::vector<unsigned char> bytes;
    const int n = 240;
    for (int i = 0; i < n; ++i) {
        const int16_t v = int16_t(i < n / 2 ? i * 100 : (n - 1 - i) * 100);
        bytes.push_back(uint8_t(uint16_t(v) & 0xFF));
        bytes.push_back(uint8_t(uint16_t(v) >> 8));
    }
    const auto plain = resampleClip(bytes.data(), n, 2 * kClipRate, 1.0f);
    const auto high = resampleClip(bytes.data(), n, 2 * kClipRate, 1.15f);
    EXPECT_NEAR(double(plain.size()), 2.0 * n, 2.0);
    EXPECT_NEAR(double(high.size()), 2.0 * n / 1.15, 2.0);
    EXPECT_EQ(plain.front(), 0);
    EXPECT_LE(std::abs(int(high.back())), 100);
    EXPECT_EQ(*std::max_element(plain.begin(), plain.end()), 11900);
    EXPECT_TRUE(resampleClip(nullptr, 0, 48000, 1.0f).empty());
    EXPECT_NEAR(pitchOfStep(pitchStep(1.0f)), 1.0f, 1e-6f);
    EXPECT_EQ(pitchStep(0.1f), 0);
    EXPECT_EQ(pitchStep(9.0f), kPitchSteps - 1);
}

}  // namespace
