// The synthesised sounds: each one there, soft-edged, below full scale, and
// its variants different from each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "synth.h"

namespace {

int peakOf(const sfx::Samples& s) {
    int top = 0;
    for (int16_t v : s) top = std::max(top, std::abs(int(v)));
    return top;
}

TEST(SoundSynthesis, EveryEffectStartsAndEndsInSilenceBelowFullScale) {
    for (int n = 0; n < kSoundCount; ++n) {
        const Sound s = Sound(n);
        if (isLoop(s)) continue;
        for (int v = 0; v < variantsOf(s); ++v) {
            SCOPED_TRACE(testing::Message() << "sound " << n << " variant " << v);
            const sfx::Samples samples = sfx::makeSound(s, v);
            ASSERT_GT(samples.size(), size_t(kClipRate / 50));  // 20 ms at least
            EXPECT_LT(samples.size(), size_t(kClipRate));      // effects are short
            const int peak = peakOf(samples);
            EXPECT_GT(peak, 32767 / 8);
            EXPECT_LT(peak, 32767 * 9 / 10);
            // No click: the first and last few samples barely leave zero.
            for (int i = 0; i < 3; ++i) {
                EXPECT_LT(std::abs(int(samples[size_t(i)])), 400) << "at " << i;
                EXPECT_LT(std::abs(int(samples[samples.size() - 1 - size_t(i)])), 400) << "at end - " << i;
            }
        }
    }
}

TEST(SoundSynthesis, VariantsDifferAndRebuildsAgree) {
    for (int n = 0; n < kSoundCount; ++n) {
        const Sound s = Sound(n);
        SCOPED_TRACE(testing::Message() << "sound " << n);
        EXPECT_EQ(sfx::makeSound(s, 0), sfx::makeSound(s, 0));
        for (int a = 0; a < variantsOf(s); ++a)
            for (int b = a + 1; b < variantsOf(s); ++b)
                EXPECT_NE(sfx::makeSound(s, a), sfx::makeSound(s, b)) << a << " and " << b;
    }
}

TEST(SoundSynthesis, AmbienceLoopsJoinWithoutAStep) {
    for (Sound s : {Sound::WindLoop, Sound::NightLoop}) {
        const sfx::Samples loop = sfx::makeSound(s, 0);
        ASSERT_GT(loop.size(), size_t(kClipRate * 2));
        const int peak = peakOf(loop);
        EXPECT_LT(peak, 32767 / 2);
        // The jump from the last sample to the first is no bigger than the
        // loop's own largest step from one sample to the next.
        int largest = 0;
        for (size_t i = 1; i < loop.size(); ++i)
            largest = std::max(largest, std::abs(int(loop[i]) - int(loop[i - 1])));
        EXPECT_LE(std::abs(int(loop.front()) - int(loop.back())), largest);
    }
}

}  // namespace
