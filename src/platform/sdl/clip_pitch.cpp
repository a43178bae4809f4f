#include "platform/sdl/clip_pitch.h"

#include <algorithm>
#include <cmath>

#include "platform/sounds.h"

namespace {

constexpr float kLowestPitch = 0.85f, kPitchStep = 0.03f;

float sampleAt(const unsigned char* bytes, size_t i) {
    return float(int16_t(uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8)));
}

}  // namespace

int pitchStep(float pitch) {
    if (!(pitch == pitch)) return kPitchSteps / 2;  // NaN: the clip as made
    const long step = std::lround((pitch - kLowestPitch) / kPitchStep);
    return int(std::clamp(step, 0L, long(kPitchSteps - 1)));
}

float pitchOfStep(int step) {
    return kLowestPitch + kPitchStep * float(std::clamp(step, 0, kPitchSteps - 1));
}

std::vector<int16_t> resampleClip(const unsigned char* bytes, size_t count, int rate, float pitch) {
    if (!bytes || count == 0 || rate <= 0 || !(pitch > 0.0f)) return {};
    // Source samples per device sample.
    const double step = double(kClipRate) * double(pitch) / double(rate);
    const size_t n = size_t(double(count - 1) / step) + 1;
    std::vector<int16_t> out(n);
    for (size_t i = 0; i < n; ++i) {
        const double at = double(i) * step;
        const size_t k = std::min(size_t(at), count - 1);
        const float frac = float(at - double(k));
        const float a = sampleAt(bytes, k), b = k + 1 < count ? sampleAt(bytes, k + 1) : a;
        out[i] = int16_t(std::lround(a + (b - a) * frac));
    }
    return out;
}
