// The drawing kit every picture is made with: seeded hash noise, colour
// arithmetic and a few clipped shapes (fill, line, disc, polygon, frame).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "image.h"

namespace art {

// ---- deterministic noise -------------------------------------------------------
// A well-mixed 32-bit hash of a seed and two coordinates; the only source of
// "randomness", so the same program always paints the same pictures.
uint32_t hash(uint32_t seed, int x, int y);
// Uniform in [0, 1).
float rand01(uint32_t seed, int x, int y);
// Uniform integer in [lo, hi].
int randInt(uint32_t seed, int x, int y, int lo, int hi);
// Smooth value noise in [0, 1) with lattice spacing `cell`; it repeats every
// `period` pixels (a multiple of cell), so block faces tile without seams.
float smoothNoise(uint32_t seed, float x, float y, int cell, int period);

// ---- colours -------------------------------------------------------------------
Rgb rgb(int r, int g, int b);                                // clamps each channel to 0..255
Rgb shade(Rgb c, float factor);                              // scales brightness
Rgb mix(Rgb a, Rgb b, float t);                              // t = 0 gives a, 1 gives b
Rgb jitter(Rgb c, int amount, uint32_t seed, int x, int y);  // +-amount on all channels

// ---- shapes (all clipped to the picture) -----------------------------------------
struct Pt {
    float x, y;
};

void fill(Image& img, Rgb c);
void rect(Image& img, int x0, int y0, int x1, int y1, Rgb c);   // filled, inclusive
void frame(Image& img, int x0, int y0, int x1, int y1, Rgb c);  // one-pixel outline, inclusive
void line(Image& img, int x0, int y0, int x1, int y1, Rgb c);
void thickLine(Image& img, float x0, float y0, float x1, float y1, float width, Rgb c);
void disc(Image& img, float cx, float cy, float radius, Rgb c);
void ring(Image& img, float cx, float cy, float inner, float outer, Rgb c);
// Filled polygon; a pixel is inside when its centre is (even-odd rule).
void polygon(Image& img, std::initializer_list<Pt> pts, Rgb c);
void polygon(Image& img, const Pt* pts, int count, Rgb c);

// ---- whole-picture passes --------------------------------------------------------
// Gives every shape on a transparent background a one-pixel dark rim, so icons
// read clearly on any background.
void outlineShapes(Image& img, Rgb rim);
// Lights the top-left and darkens the bottom-right edge pixels of every shape,
// the usual way small icons suggest volume.
void bevelShapes(Image& img, float light, float dark);

}  // namespace art
