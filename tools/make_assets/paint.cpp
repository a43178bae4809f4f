#include "paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

uint32_t hash(uint32_t seed, int x, int y) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float rand01(uint32_t seed, int x, int y) {
    return float(hash(seed, x, y) >> 8) / 16777216.0f;
}

int randInt(uint32_t seed, int x, int y, int lo, int hi) {
    return lo + int(hash(seed, x, y) % uint32_t(hi - lo + 1));
}

float smoothNoise(uint32_t seed, float x, float y, int cell, int period) {
    const int cells = std::max(1, period / cell);
    const float fx = x / float(cell), fy = y / float(cell);
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    const float tx = fx - float(ix), ty = fy - float(iy);
    auto corner = [&](int cx, int cy) {
        return rand01(seed, ((cx % cells) + cells) % cells, ((cy % cells) + cells) % cells);
    };
    // Smoothstep weights hide the lattice.
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const float top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * sx;
    const float bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

Rgb rgb(int r, int g, int b) {
    auto clamp = [](int v) { return uint8_t(std::clamp(v, 0, 255)); };
    return {clamp(r), clamp(g), clamp(b)};
}

Rgb shade(Rgb c, float factor) {
    return rgb(int(std::lround(c.r * factor)), int(std::lround(c.g * factor)),
               int(std::lround(c.b * factor)));
}

Rgb mix(Rgb a, Rgb b, float t) {
    auto m = [t](uint8_t p, uint8_t q) { return int(std::lround(p + (q - p) * t)); };
    return rgb(m(a.r, b.r), m(a.g, b.g), m(a.b, b.b));
}

Rgb jitter(Rgb c, int amount, uint32_t seed, int x, int y) {
    const int d = randInt(seed, x, y, -amount, amount);
    return rgb(c.r + d, c.g + d, c.b + d);
}

void fill(Image& img, Rgb c) {
    std::fill(img.px.begin(), img.px.end(), c);
}

void rect(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(0, y0); y <= std::min(img.h - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(img.w - 1, x1); ++x) img.set(x, y, c);
}

void frame(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
    for (int x = x0; x <= x1; ++x) {
        img.set(x, y0, c);
        img.set(x, y1, c);
    }
    for (int y = y0; y <= y1; ++y) {
        img.set(x0, y, c);
        img.set(x1, y, c);
    }
}

void line(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        img.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += stepY;
        }
    }
}

void thickLine(Image& img, float x0, float y0, float x1, float y1, float width, Rgb c) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(1e-6f, dx * dx + dy * dy);
    const float r = width / 2;
    const int minX = int(std::floor(std::min(x0, x1) - r)),
              maxX = int(std::ceil(std::max(x0, x1) + r));
    const int minY = int(std::floor(std::min(y0, y1) - r)),
              maxY = int(std::ceil(std::max(y0, y1) + r));
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const float px = float(x) + 0.5f, py = float(y) + 0.5f;
            const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
            const float ex = x0 + t * dx - px, ey = y0 + t * dy - py;
            if (ex * ex + ey * ey <= r * r) img.set(x, y, c);
        }
}

void disc(Image& img, float cx, float cy, float radius, Rgb c) {
    ring(img, cx, cy, -1, radius, c);
}

void ring(Image& img, float cx, float cy, float inner, float outer, Rgb c) {
    for (int y = int(std::floor(cy - outer)); y <= int(std::ceil(cy + outer)); ++y)
        for (int x = int(std::floor(cx - outer)); x <= int(std::ceil(cx + outer)); ++x) {
            const float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            const float d2 = dx * dx + dy * dy;
            if (d2 <= outer * outer && (inner < 0 || d2 >= inner * inner)) img.set(x, y, c);
        }
}

void polygon(Image& img, std::initializer_list<Pt> pts, Rgb c) {
    polygon(img, pts.begin(), int(pts.size()), c);
}

void polygon(Image& img, const Pt* pts, int count, Rgb c) {
    if (count < 3) return;
    float top = pts[0].y, bottom = pts[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, pts[i].y);
        bottom = std::max(bottom, pts[i].y);
    }
    std::vector<float> crossings;
    const int y0 = std::max(0, int(std::floor(top))),
              y1 = std::min(img.h - 1, int(std::ceil(bottom)));
    for (int y = y0; y <= y1; ++y) {
        const float py = float(y) + 0.5f;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const Pt a = pts[i], b = pts[(i + 1) % count];
            if ((a.y <= py) != (b.y <= py))
                crossings.push_back(a.x + (py - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        // Pixel x is inside when its centre x + 0.5 lies in [left, right).
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int first = int(std::ceil(crossings[i] - 0.5f));
            const int last = int(std::ceil(crossings[i + 1] - 0.5f)) - 1;
            for (int x = std::max(0, first); x <= std::min(img.w - 1, last); ++x) img.set(x, y, c);
        }
    }
}

void outlineShapes(Image& img, Rgb rim) {
    const Image src = img;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (!(src.get(x, y) == kClear)) continue;
            const int nx[4] = {x - 1, x + 1, x, x};
            const int ny[4] = {y, y, y - 1, y + 1};
            for (int i = 0; i < 4; ++i)
                if (src.inside(nx[i], ny[i]) && !(src.get(nx[i], ny[i]) == kClear)) {
                    img.set(x, y, rim);
                    break;
                }
        }
}

void bevelShapes(Image& img, float light, float dark) {
    const Image src = img;
    auto clearAt = [&](int x, int y) { return !src.inside(x, y) || src.get(x, y) == kClear; };
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const Rgb c = src.get(x, y);
            if (c == kClear) continue;
            if (clearAt(x - 1, y) || clearAt(x, y - 1))
                img.set(x, y, shade(c, light));
            else if (clearAt(x + 1, y) || clearAt(x, y + 1))
                img.set(x, y, shade(c, dark));
        }
}

}  // namespace art
