// The game's sounds, synthesised: each is a few lines of parameters (noise
// and oscillators, an envelope, filters, crackle) rendered with a random
// generator of fixed seed, so every build makes the same samples.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sounds.h"

namespace sfx {

using Samples = std::vector<int16_t>;  // mono, kClipRate per second

// One layer of a sound. A sound is the sum of its layers, then shaped by its
// envelope and brought to its peak.
struct Layer {
    float noise = 0.0f;      // amount of noise
    float lowpass = 8000.0f;  // noise colour: two one-pole filters, Hz
    float highpass = 40.0f;
    float tone = 0.0f;  // oscillator frequency at the start, Hz (0 = none)
    float toneEnd = 0.0f;  // ... at the end (0 = the same)
    float toneAmount = 0.0f;
    float harmonics = 0.0f;  // share of the second and third partials
    float decay = 0.0f;  // this layer's own exponential decay, seconds (0 = none)
    float delay = 0.0f;  // when the layer starts, seconds
};

struct Recipe {
    float seconds = 0.2f;
    float attack = 0.004f;  // raised-cosine rise, seconds
    float decay = 0.08f;    // exponential decay time of the whole, seconds (0 = flat)
    float release = 0.012f;  // fade to silence at the end, seconds
    float peak = 0.5f;       // of full scale
    int grains = 0;          // short bursts of crackle spread over the sound
    float grainLength = 0.012f;
    Layer layers[3] = {};
    int layerCount = 1;
};

// Renders one variant: `seed` chooses the noise, the crackle and the small
// shifts of colour and pitch that set variants apart.
Samples render(const Recipe& recipe, uint32_t seed);

// A seamless loop of `seconds` for the ambience (ends joined by a crossfade).
Samples windLoop(float seconds, uint32_t seed);
Samples nightLoop(float seconds, uint32_t seed);

// The recipe of a sound; loops have none (their own functions make them).
Recipe recipeOf(Sound sound);

// Every variant of every sound, by sound then variant.
Samples makeSound(Sound sound, int variant);

}  // namespace sfx
