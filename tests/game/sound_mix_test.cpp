// The mix at the default volumes: each synthesised clip's level plus the
// loudness the sound rules hand the mixer for it. What the player does stands
// clearly above the wind and the night, and the menus' ticks stay below a dig.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "game/sound_rules.h"
#include "synth.h"
#include "world/block_types.h"
#include "world/options.h"

namespace {

// The highest RMS of `window` samples anywhere in a clip, in dB of full
// scale, the windows 5 ms apart; a loop's run on over its end.
float loudestDb(const sfx::Samples& s, int window, bool loops) {
    const int n = int(s.size()), last = loops ? n - 1 : std::max(n - window, 0);
    double best = 1e-12;
    for (int start = 0; start <= last; start += kClipRate / 200) {
        double sum = 0.0;
        for (int i = start; i < start + window; ++i) {
            const double v = i < n || loops ? double(s[size_t(i % n)]) / 32768.0 : 0.0;
            sum += v * v;
        }
        best = std::max(best, sum / window);
    }
    return float(10.0 * std::log10(best));
}

// The softest and the loudest the sound of an event is heard, in dB, over
// its variants and the small random spread of loudness of its plays.
std::pair<float, float> heardDb(Sound s, EventKind kind) {
    SoundRules rules;
    float low = 1.0f, high = 0.0f;
    for (int i = 0; i < 100; ++i) {
        Events events;
        events.add({kind, block::Stone, {-1, -1, -1}});  // outside the world: no grass to look up
        const SoundFrame frame =
            hearFrame(World{}, rules, events, {i * 1000, 1000}, {}, Options{});
        low = std::min(low, frame.plays[0].volume);
        high = std::max(high, frame.plays[0].volume);
    }
    float lowest = 1e9f, highest = -1e9f;
    for (int v = 0; v < variantsOf(s); ++v) {
        const float level = loudestDb(sfx::makeSound(s, v), kClipRate / 20, false);  // 50 ms
        lowest = std::min(lowest, level + 20.0f * std::log10(low));
        highest = std::max(highest, level + 20.0f * std::log10(high));
    }
    return {lowest, highest};
}

TEST(SoundMix, StepsDigsAndPlacedBlocksStandClearlyAboveTheAmbience) {
    float ambience = -1e9f;
    for (const bool night : {false, true}) {
        SoundRules rules;
        const Surroundings around{
            .inWorld = true, .openSky = true, .dayTime = uint8_t(night ? 120 : 0)};
        const SoundFrame frame =
            hearFrame(World{}, rules, Events{}, {0, kAmbienceSwingMs}, around, Options{});
        const sfx::Samples loop = sfx::makeSound(night ? Sound::NightLoop : Sound::WindLoop, 0);
        const float level = loudestDb(loop, kClipRate * 2 / 5, true) +  // 400 ms
                            20.0f * std::log10(night ? frame.night : frame.wind);
        std::printf("%s ambience, loudest 400 ms: %.1f dB\n", night ? "night" : "day", level);
        ambience = std::max(ambience, level);
    }
    const std::pair<Touch, EventKind> touches[] = {{Touch::Step, EventKind::Step},
                                                   {Touch::Hit, EventKind::DigStep},
                                                   {Touch::Place, EventKind::Placed}};
    for (const auto& [touch, kind] : touches) {
        std::printf("touch %d by material, softest loudest 50 ms:", int(touch));
        for (int m = 0; m < kMaterialCount; ++m) {
            const float level = heardDb(materialSound(touch, Material(m)), kind).first;
            std::printf(" %.1f", level);
            EXPECT_GE(level, ambience + 6.0f) << "touch " << int(touch) << ", material " << m;
        }
        std::printf(" dB\n");
    }
}

TEST(SoundMix, NoMenuTickIsLouderThanADig) {
    float softestDig = 1e9f;
    for (int m = 0; m < kMaterialCount; ++m)
        softestDig = std::min(
            softestDig, heardDb(materialSound(Touch::Hit, Material(m)), EventKind::DigStep).first);
    for (const auto& [sound, kind] : {std::pair{Sound::MenuMove, EventKind::MenuMoved},
                                      std::pair{Sound::MenuChoose, EventKind::MenuChosen}}) {
        const float loudest = heardDb(sound, kind).second;
        std::printf("menu sound %d, loudest 50 ms: %.1f dB; softest dig %.1f dB\n", int(sound),
                    loudest, softestDig);
        EXPECT_LE(loudest, softestDig) << "menu sound " << int(sound);
    }
}

}  // namespace
