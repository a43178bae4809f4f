// Interface pictures: dig cracks, status icons, cell frames, the menu arrow,
// the status strip and the full-window menu background.
#include <algorithm>
#include <cmath>
#include <vector>

#include "paint.h"
#include "pictures.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

void star(Image& img, float cx, float cy, float outer, float inner, Rgb c) {
    Pt pts[10];
    for (int i = 0; i < 10; ++i) {
        const float a = -kPi / 2 + float(i) * kPi / 5;
        const float r = i % 2 == 0 ? outer : inner;
        pts[i] = {cx + r * std::cos(a), cy + r * std::sin(a)};
    }
    polygon(img, pts, 10, c);
}

void heart(Image& img) {
    const Rgb red{222, 38, 52};
    disc(img, 11, 12, 6.5f, red);
    disc(img, 21, 12, 6.5f, red);
    polygon(img, {{4.6f, 14}, {27.4f, 14}, {16, 27.5f}}, red);
    disc(img, 10, 10, 2.0f, {255, 150, 150});
    img.set(9, 9, {255, 230, 230});
}

void flower(Image& img) {
    thickLine(img, 16, 18, 16, 30, 2.0f, {60, 140, 50});
    polygon(img, {{16, 25}, {23, 21}, {21, 26}}, {76, 164, 60});
    for (int i = 0; i < 5; ++i) {
        const float a = -kPi / 2 + float(i) * 2 * kPi / 5;
        disc(img, 16 + 6.5f * std::cos(a), 13 + 6.5f * std::sin(a), 4.3f, {246, 140, 190});
    }
    disc(img, 16, 13, 3.6f, {252, 214, 60});
    img.set(15, 12, {255, 246, 180});
}

void roundBadge(Image& img) {
    disc(img, 16, 16, 13.5f, {212, 168, 50});
    disc(img, 16, 16, 10.5f, {56, 104, 204});
    ring(img, 16, 16, 6.5f, 7.5f, {150, 190, 250});
    disc(img, 16, 16, 3.0f, {236, 244, 255});
}

void starMedal(Image& img) {
    polygon(img, {{9, 1}, {14, 1}, {17, 12}, {12, 12}}, {200, 40, 48});
    polygon(img, {{18, 1}, {23, 1}, {20, 12}, {15, 12}}, {40, 80, 190});
    disc(img, 16, 20, 10.0f, {40, 160, 70});
    ring(img, 16, 20, 8.0f, 10.0f, {26, 116, 48});
    star(img, 16, 20.5f, 6.5f, 2.7f, {170, 236, 150});
}

void coin(Image& img) {
    disc(img, 16, 16, 12.5f, {214, 160, 30});
    disc(img, 15.5f, 15.5f, 10.0f, {252, 208, 60});
    ring(img, 16, 16, 7.0f, 8.0f, {222, 170, 40});
    rect(img, 15, 10, 16, 21, {200, 146, 26});  // a stamped bar
    img.set(11, 9, {255, 248, 200});
    img.set(10, 10, {255, 248, 200});
}

void cross(Image& img) {
    const Rgb ink{44, 40, 38};
    thickLine(img, 12, 12, 20, 20, 2.2f, ink);
    thickLine(img, 20, 12, 12, 20, 2.2f, ink);
}

void darkSquare(Image& img) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) img.set(x, y, jitter({46, 46, 52}, 2, 901, x, y));
    // An empty cell looks sunk in: shadow on top-left, light on bottom-right.
    for (int t = 1; t < img.w - 1; ++t) {
        img.set(t, 1, {32, 32, 36});
        img.set(1, t, {32, 32, 36});
        img.set(t, img.h - 2, {70, 70, 78});
        img.set(img.w - 2, t, {70, 70, 78});
    }
    frame(img, 0, 0, img.w - 1, img.h - 1, {22, 22, 26});
}

// A two-pixel ring around the 32 x 32 icon that sits inside it; the inside
// stays transparent so the icon shows through.
void cellFrame(Image& img, Rgb outer, Rgb inner) {
    frame(img, 0, 0, img.w - 1, img.h - 1, outer);
    frame(img, 1, 1, img.w - 2, img.h - 2, inner);
    // Corner studs make the frame read even over a busy icon.
    for (int cy : {2, img.h - 3})
        for (int cx : {2, img.w - 3}) img.set(cx, cy, inner);
}

void arrow(Image& img) {
    fill(img, {0, 0, 0});
    polygon(img, {{3.5f, 2.5f}, {13.5f, 8.0f}, {3.5f, 13.5f}}, {255, 255, 255});
}

void statusStrip(Image& img) {
    for (int y = 0; y < img.h; ++y) {
        const Rgb row = mix({240, 234, 216}, {212, 200, 174}, float(y) / float(img.h - 1));
        for (int x = 0; x < img.w; ++x) img.set(x, y, jitter(row, 2, 911, x, y));
    }
    rect(img, 0, 0, img.w - 1, 0, {252, 248, 236});
    rect(img, 0, img.h - 2, img.w - 1, img.h - 2, {132, 104, 70});
    rect(img, 0, img.h - 1, img.w - 1, img.h - 1, {90, 66, 40});
}

// ---- the menu background -----------------------------------------------------------
// Shown from its top-left 800 x 600: earth all round with turf along the top,
// framing a light panel where the black menu texts stand; the corners that
// carry white texts (credits top-left, frame counter bottom-right) stay dark.
constexpr int kShownW = 800, kShownH = 600;
constexpr int kPanelX0 = 130, kPanelY0 = 110, kPanelX1 = 670, kPanelY1 = 562;
constexpr int kPanelRadius = 16;

// Distance outside the rounded panel (negative inside).
float panelDistance(int x, int y) {
    const float cx =
        std::clamp(float(x), float(kPanelX0 + kPanelRadius), float(kPanelX1 - kPanelRadius));
    const float cy =
        std::clamp(float(y), float(kPanelY0 + kPanelRadius), float(kPanelY1 - kPanelRadius));
    const float dx = float(x) - cx, dy = float(y) - cy;
    return std::sqrt(dx * dx + dy * dy) - float(kPanelRadius);
}

Rgb earth(int x, int y, int period) {
    const float n = 0.6f * smoothNoise(921, float(x), float(y), 32, period) +
                    0.4f * smoothNoise(922, float(x), float(y), 8, period);
    Rgb c = shade({98, 68, 44}, 0.8f + 0.35f * n);
    const float r = rand01(923, x, y);
    if (r < 0.06f)
        c = shade(c, 0.78f);
    else if (r > 0.975f)
        c = shade(c, 1.2f);
    return jitter(c, 4, 924, x, y);
}

int turfDepth(int x) {
    const float wave = smoothNoise(925, float(x), 0, 16, 1024) * 8;
    const int drip = rand01(926, x / 3, 0) > 0.85f ? randInt(927, x / 3, 0, 3, 9) : 0;
    return 20 + int(wave) + drip;
}

void menuBackground(Image& img) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) img.set(x, y, earth(x, y, img.w));

    // Buried stones in the border, kept away from the corners with white text.
    for (int i = 0; i < 60; ++i) {
        const int sx = randInt(931, i, 0, 0, kShownW - 1), sy = randInt(932, i, 0, 40, kShownH - 1);
        const float r = 3.0f + 5.0f * rand01(933, i, 0);
        if (panelDistance(sx, sy) < r + 10) continue;
        if ((sx < 540 && sy < 90) || (sx > 690 && sy > 530)) continue;
        // An irregular pebble: seven corners at varying distances, with a
        // dark rim of packed earth and light on its upper left.
        const int tone = randInt(934, i, 0, 100, 140);
        Pt rim[7], body[7], lit[7];
        for (int k = 0; k < 7; ++k) {
            const float a = float(k) * 2 * kPi / 7 + rand01(935, i, 0);
            const float reach = r * (0.75f + 0.4f * rand01(936, i, k));
            const float ca = std::cos(a), sa = std::sin(a);
            rim[k] = {float(sx) + (reach + 1.5f) * ca, float(sy) + (reach + 1.5f) * sa};
            body[k] = {float(sx) + reach * ca, float(sy) + reach * sa};
            lit[k] = {float(sx) - r / 4 + reach * 0.55f * ca,
                      float(sy) - r / 4 + reach * 0.55f * sa};
        }
        polygon(img, rim, 7, {54, 38, 26});
        polygon(img, body, 7, rgb(tone, tone - 4, tone - 10));
        polygon(img, lit, 7, rgb(tone + 18, tone + 15, tone + 10));
    }

    // Turf along the top, with blades poking down into the earth.
    for (int x = 0; x < img.w; ++x) {
        const int depth = turfDepth(x);
        for (int y = 0; y < depth; ++y) {
            const float n = smoothNoise(941, float(x), float(y), 8, img.w);
            Rgb c = shade({54, 112, 38}, 0.8f + 0.3f * n);
            if (rand01(942, x, y) < 0.1f) c = shade(c, 0.8f);
            img.set(x, y, jitter(c, 5, 943, x, y));
        }
        img.set(x, depth, {44, 32, 22});
        img.set(x, depth + 1, shade(img.get(x, depth + 1), 0.8f));
    }

    // The panel: a dark rim, a bright bevel, then the light parchment face.
    for (int y = kPanelY0 - 8; y <= kPanelY1 + 8; ++y)
        for (int x = kPanelX0 - 8; x <= kPanelX1 + 8; ++x) {
            const float d = panelDistance(x, y);
            if (d > 6) continue;
            Rgb c;
            if (d > 0) {
                c = shade(img.get(x, y), 0.55f + 0.06f * d);  // soft shadow around it
            } else if (d > -3) {
                c = rgb(78, 54, 34);
            } else if (d > -5) {
                c = rgb(246, 238, 214);
            } else {
                const float n = smoothNoise(951, float(x), float(y), 64, img.w);
                c = jitter(shade({232, 222, 196}, 0.97f + 0.05f * n), 3, 952, x, y);
            }
            img.set(x, y, c);
        }
}

}  // namespace

void paintCracks(Image& img, int stage) {
    fill(img, {255, 255, 255});
    // The same walks at every stage, each stage walking further and starting
    // more of them, so the cracks grow as the dig goes on.
    const int walkers = std::min(12, 2 + stage * 3 / 2);
    const int steps = 5 + stage * 3;
    const Rgb crack{52, 50, 48}, edge{160, 158, 156};
    for (int i = 0; i < walkers; ++i) {
        float x = img.w / 2.0f + (rand01(961, i, 0) - 0.5f) * 8;
        float y = img.h / 2.0f + (rand01(962, i, 0) - 0.5f) * 8;
        float angle = float(i) * 2.4f + rand01(963, i, 0);
        for (int s = 0; s < steps; ++s) {
            angle += (rand01(964, i, s) - 0.5f) * 0.9f;
            x += std::cos(angle);
            y += std::sin(angle);
            const int px = int(std::floor(x)), py = int(std::floor(y));
            if (img.inside(px + 1, py + 1) && img.get(px + 1, py + 1) == Rgb{255, 255, 255})
                img.set(px + 1, py + 1, edge);
            img.set(px, py, crack);
        }
    }
}

void paintBadge(Image& img, Badge badge) {
    switch (badge) {
        case Badge::Heart:
            heart(img);
            break;
        case Badge::Flower:
            flower(img);
            break;
        case Badge::RoundBadge:
            roundBadge(img);
            break;
        case Badge::StarMedal:
            starMedal(img);
            break;
        case Badge::Star:
            star(img, 16, 17, 14, 6, {252, 212, 48});
            break;
        case Badge::Coin:
            coin(img);
            break;
        case Badge::Cross:
            cross(img);
            return;  // stays thin and rimless
    }
    bevelShapes(img, 1.15f, 0.78f);
    outlineShapes(img, {30, 22, 20});
}

void paintWidget(Image& img, Widget widget) {
    switch (widget) {
        case Widget::Dot:
            fill(img, {255, 255, 255});
            break;
        case Widget::DarkSquare:
            darkSquare(img);
            break;
        case Widget::MarkFrame:
            cellFrame(img, {150, 72, 0}, {255, 196, 40});
            break;
        case Widget::CursorFrame:
            cellFrame(img, {24, 24, 24}, {255, 255, 255});
            break;
        case Widget::Arrow:
            arrow(img);
            break;
        case Widget::StatusStrip:
            statusStrip(img);
            break;
    }
}

void paintMenuBackground(Image& img) {
    menuBackground(img);
}

}  // namespace art
