#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sfx {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kRate = float(kClipRate);

// xorshift32: small, fast and the same on every machine.
struct Random {
    uint32_t state;
    explicit Random(uint32_t seed) : state(seed * 2654435761u + 0x9E3779B9u) {
        if (state == 0) state = 1;
        for (int i = 0; i < 4; ++i) next();
    }
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float unit() { return float(next() >> 8) / 16777216.0f; }  // 0..1
    float signedUnit() { return unit() * 2.0f - 1.0f; }        // -1..1
};

// A one-pole filter's coefficient for a corner frequency.
float poleFor(float hz) {
    return 1.0f - std::exp(-2.0f * kPi * std::min(hz, kRate * 0.45f) / kRate);
}

// Band-limited noise: two low-pass poles, one high-pass pole. The gain keeps
// dark noise about as loud as bright noise, so recipes mix by ear.
struct ColouredNoise {
    float low, high, gain;
    float a = 0, b = 0, h = 0;
    ColouredNoise(float lowpass, float highpass)
        : low(poleFor(lowpass)), high(poleFor(highpass)), gain(std::sqrt((2.0f - low) / low) * 0.8f) {}
    float next(Random& rng) {
        a += low * (rng.signedUnit() - a);
        b += low * (a - b);
        h += high * (b - h);
        return (b - h) * gain;
    }
};

// Raised-cosine ramp from 0 to 1 over `length` samples.
float ramp(int i, int length) {
    if (length <= 0 || i >= length) return 1.0f;
    if (i <= 0) return 0.0f;
    return 0.5f - 0.5f * std::cos(kPi * float(i) / float(length));
}

Samples toSamples(const std::vector<float>& x, float peak) {
    float top = 0.0f;
    for (float v : x) top = std::max(top, std::fabs(v));
    const float scale = top > 0.0f ? peak * 32767.0f / top : 0.0f;
    Samples out(x.size());
    for (size_t i = 0; i < x.size(); ++i) out[i] = int16_t(std::lround(x[i] * scale));
    return out;
}

void addLayer(std::vector<float>& x, const Layer& layer, float shift, Random& rng) {
    const int n = int(x.size());
    const int start = std::clamp(int(layer.delay * kRate), 0, n);
    ColouredNoise noise(layer.lowpass * shift, layer.highpass * shift);
    const float from = layer.tone * shift;
    const float to = (layer.toneEnd > 0.0f ? layer.toneEnd : layer.tone) * shift;
    const float span = float(std::max(n - start, 1)) / kRate;
    float phase = 0.0f;
    // A layer that starts late rises briefly, so its start is no click either.
    const int rise = int(0.002f * kRate);
    for (int i = start; i < n; ++i) {
        const float t = float(i - start) / kRate;
        float v = 0.0f;
        if (layer.noise > 0.0f) v += layer.noise * noise.next(rng);
        if (layer.tone > 0.0f) {
            const float f = from * std::pow(to / from, t / span);
            phase += 2.0f * kPi * f / kRate;
            if (phase > 2.0f * kPi) phase -= 2.0f * kPi;
            v += layer.toneAmount * (std::sin(phase) + layer.harmonics * (0.5f * std::sin(2.0f * phase) +
                                                                          0.25f * std::sin(3.0f * phase)));
        }
        if (layer.decay > 0.0f) v *= std::exp(-t / layer.decay);
        x[size_t(i)] += v * ramp(i - start, rise);
    }
}

// Short bursts of bright noise: the crunch of gravel, the rustle of leaves,
// the splinters of a break.
void addGrains(std::vector<float>& x, const Recipe& r, float shift, Random& rng) {
    const int n = int(x.size());
    const int length = std::max(int(r.grainLength * kRate), 8);
    if (n <= length) return;
    const Layer& colour = r.layers[0];
    for (int g = 0; g < r.grains; ++g) {
        ColouredNoise noise(std::max(colour.lowpass * shift * 1.5f, 800.0f),
                            std::max(colour.highpass * shift, 200.0f));
        const int at = int(rng.unit() * float(n - length));
        const float loud = 0.4f + 0.6f * rng.unit();
        for (int i = 0; i < length; ++i) {
            const float window = 0.5f - 0.5f * std::cos(2.0f * kPi * float(i) / float(length - 1));
            x[size_t(at + i)] += loud * window * noise.next(rng);
        }
    }
}

// `extra` more samples than the loop, whose tail fades into its head.
Samples closeLoop(const std::vector<float>& x, int loop, float peak) {
    const int overlap = int(x.size()) - loop;
    std::vector<float> out(x.begin(), x.begin() + loop);
    for (int i = 0; i < overlap; ++i) {
        const float w = ramp(i, overlap);
        out[size_t(i)] = x[size_t(i)] * w + x[size_t(loop + i)] * (1.0f - w);
    }
    return toSamples(out, peak);
}

}  // namespace

Samples render(const Recipe& r, uint32_t seed) {
    Random rng(seed);
    // What sets a variant apart beyond its noise: a few percent of colour and pitch.
    const float shift = 1.0f + 0.06f * rng.signedUnit();
    const int n = std::max(int(r.seconds * kRate), 16);
    std::vector<float> x(size_t(n), 0.0f);
    for (int l = 0; l < r.layerCount && l < 3; ++l) addLayer(x, r.layers[l], shift, rng);
    addGrains(x, r, shift, rng);
    const int attack = int(r.attack * kRate), release = std::max(int(r.release * kRate), 8);
    for (int i = 0; i < n; ++i) {
        const float t = float(i) / kRate;
        float env = ramp(i, attack) * ramp(n - 1 - i, release);
        if (r.decay > 0.0f) env *= std::exp(-t / r.decay);
        x[size_t(i)] *= env;
    }
    return toSamples(x, r.peak);
}

Samples windLoop(float seconds, uint32_t seed) {
    Random rng(seed);
    const int loop = int(seconds * kRate), overlap = int(0.5f * kRate);
    std::vector<float> x(size_t(loop + overlap));
    ColouredNoise low(380.0f, 40.0f), high(1400.0f, 500.0f);
    for (size_t i = 0; i < x.size(); ++i) {
        // Gusts: slow swells with whole periods in the loop, so they join too.
        const float p = 2.0f * kPi * float(i) / float(loop);
        const float gust = 0.55f + 0.3f * std::sin(2.0f * p) + 0.15f * std::sin(3.0f * p + 1.3f);
        x[i] = gust * (low.next(rng) + 0.25f * gust * high.next(rng));
    }
    // Low: the loudest gust must leave the softest footstep clearly above it
    // at the default volumes, and the gusts swing some 18 dB.
    return closeLoop(x, loop, 0.085f);
}

Samples nightLoop(float seconds, uint32_t seed) {
    Random rng(seed);
    const int loop = int(seconds * kRate), overlap = int(0.5f * kRate);
    std::vector<float> x(size_t(loop + overlap));
    ColouredNoise bed(260.0f, 40.0f);
    for (float& v : x) v = 0.12f * bed.next(rng);
    // Two crickets, each chirping three pulses at its own pitch and pace; the
    // chirps stay inside the loop so the crossfade never halves one.
    struct Cricket {
        float pitch, every, loud;
    };
    const Cricket crickets[] = {{4400.0f, 0.85f, 1.0f}, {3900.0f, 1.25f, 0.6f}};
    const int pulse = int(0.016f * kRate), gap = int(0.032f * kRate);
    for (const Cricket& c : crickets) {
        for (float t = rng.unit() * c.every; t < seconds - 0.2f; t += c.every * (0.85f + 0.3f * rng.unit())) {
            const int at = int(t * kRate);
            for (int k = 0; k < 3; ++k)
                for (int i = 0; i < pulse; ++i) {
                    const float window = 0.5f - 0.5f * std::cos(2.0f * kPi * float(i) / float(pulse - 1));
                    const float phase = 2.0f * kPi * c.pitch * float(i) / kRate;
                    x[size_t(at + k * gap + i)] += c.loud * window * std::sin(phase);
                }
        }
    }
    // About as loud as the wind's loudest gust, so that dusk changes what is
    // heard, not how loud.
    return closeLoop(x, loop, 0.13f);
}

Samples makeSound(Sound sound, int variant) {
    const uint32_t seed = uint32_t(int(sound) * 131 + variant * 7919 + 1);
    if (sound == Sound::WindLoop) return windLoop(6.0f, seed);
    if (sound == Sound::NightLoop) return nightLoop(6.0f, seed);
    return render(recipeOf(sound), seed);
}

}  // namespace sfx
