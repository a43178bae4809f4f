// A clip as the mixer plays it: resampled from the clip rate to the device's
// rate, a little faster or slower for the variation of pitch. Pitches come in
// a few steps so that each clip is resampled at most once per step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int kPitchSteps = 11;  // 0.85 .. 1.15 in steps of 0.03

int pitchStep(float pitch);
float pitchOfStep(int step);

// `bytes` holds `count` mono 16-bit little-endian samples at kClipRate; the
// result holds mono samples at `rate`, the clip sped up by `pitch`.
std::vector<int16_t> resampleClip(const unsigned char* bytes, size_t count, int rate, float pitch);
