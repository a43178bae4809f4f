// Natural block faces: ground, rock, wood, ores and glass. Every pattern wraps
// at the picture's edges so that neighbouring blocks join without seams.
#include <algorithm>
#include <cmath>
#include <vector>

#include "paint.h"
#include "pictures.h"

namespace art {

namespace {

// Jittered-grid cells for stones, pebbles and crystals. For each pixel:
// the nearest point, the gap to the second nearest (small on borders) and the
// offset from the nearest point (to light the side that faces the sky).
struct Cells {
    std::vector<Pt> points;
    int w, h;

    Cells(uint32_t seed, int w_, int h_, int cell) : w(w_), h(h_) {
        for (int gy = 0; gy < h / cell; ++gy)
            for (int gx = 0; gx < w / cell; ++gx)
                points.push_back(
                    {float(gx * cell) + 1 + rand01(seed, gx, gy) * float(cell - 2),
                     float(gy * cell) + 1 + rand01(seed + 7, gx, gy) * float(cell - 2)});
    }

    struct Hit {
        int index;
        float gap, dx, dy;
    };

    Hit at(int x, int y) const {
        float best = 1e9f, second = 1e9f;
        Hit hit{0, 0, 0, 0};
        for (int i = 0; i < int(points.size()); ++i) {
            float dx = float(x) + 0.5f - points[size_t(i)].x;
            float dy = float(y) + 0.5f - points[size_t(i)].y;
            // Toroidal distance, so the cells wrap with the picture.
            if (dx > w / 2.0f) dx -= float(w);
            if (dx < -w / 2.0f) dx += float(w);
            if (dy > h / 2.0f) dy -= float(h);
            if (dy < -h / 2.0f) dy += float(h);
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < best) {
                second = best;
                best = d;
                hit = {i, 0, dx, dy};
            } else if (d < second) {
                second = d;
            }
        }
        hit.gap = second - best;
        return hit;
    }
};

void paintStoneGround(Image& img, uint32_t seed, Rgb base) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const float n = 0.6f * smoothNoise(seed, float(x), float(y), 8, img.w) +
                            0.4f * smoothNoise(seed + 1, float(x), float(y), 4, img.w);
            Rgb c = shade(base, 0.82f + 0.32f * n);
            const float speck = rand01(seed + 2, x, y);
            if (speck < 0.05f)
                c = shade(c, 0.8f);
            else if (speck > 0.97f)
                c = shade(c, 1.12f);
            img.set(x, y, jitter(c, 5, seed + 3, x, y));
        }
}

void paintCobble(Image& img, uint32_t seed, bool mossy) {
    const Cells cells(seed, img.w, img.h, 8);
    const Rgb mortar{72, 72, 74};
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const auto hit = cells.at(x, y);
            Rgb c;
            if (hit.gap < 1.3f) {
                c = jitter(mortar, 6, seed + 1, x, y);
            } else {
                const int tone = randInt(seed + 2, hit.index, 0, 108, 150);
                c = rgb(tone, tone, tone + 2);
                // Round stones: light on the upper left, shadow lower right.
                if (hit.gap < 3.0f) c = shade(c, hit.dx + hit.dy < 0 ? 1.16f : 0.8f);
                c = jitter(c, 6, seed + 3, x, y);
                if (mossy && smoothNoise(seed + 4, float(x), float(y), 8, img.w) > 0.55f)
                    c = jitter(rgb(78, 122, 52), 14, seed + 5, x, y);
            }
            img.set(x, y, c);
        }
}

void paintStoneBricks(Image& img, uint32_t seed) {
    paintStoneGround(img, seed, {136, 136, 136});
    const int brickH = img.h / 4, brickW = img.w / 2;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const int row = y / brickH;
            const int bx = (x + (row % 2) * brickW / 2) % brickW, by = y % brickH;
            if (by == brickH - 1 || bx == brickW - 1)
                img.set(x, y, jitter({74, 74, 76}, 4, seed + 9, x, y));
            else if (by == 0 || bx == 0)
                img.set(x, y, shade(img.get(x, y), 1.14f));
            else if (by == brickH - 2 || bx == brickW - 2)
                img.set(x, y, shade(img.get(x, y), 0.86f));
        }
}

void paintCementite(Image& img, uint32_t seed) {
    // Iron carbide: grains of fine diagonal lamellae, grey-blue and metallic,
    // with dark grain boundaries and bright glints.
    const Cells cells(seed, img.w, img.h, 11);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const auto hit = cells.at(x, y);
            const bool rising = hash(seed + 1, hit.index, 0) % 2 == 0;
            const int phase = rising ? x + y : x - y + img.w;
            const float band =
                (phase + int(hash(seed + 2, hit.index, 0) % 4)) % 4 < 2 ? 1.0f : 0.82f;
            Rgb c = shade({112, 118, 132}, band);
            if (hit.gap < 1.0f) c = rgb(60, 62, 70);
            if (rand01(seed + 3, x, y) > 0.98f) c = rgb(214, 220, 232);
            img.set(x, y, jitter(c, 4, seed + 4, x, y));
        }
}

void paintDirt(Image& img, uint32_t seed) {
    const Rgb base{134, 96, 67};
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const float n = smoothNoise(seed, float(x), float(y), 8, img.w);
            Rgb c = shade(base, 0.86f + 0.24f * n);
            const float speck = rand01(seed + 1, x, y);
            if (speck < 0.07f)
                c = rgb(100, 70, 47);
            else if (speck > 0.965f)
                c = rgb(164, 124, 88);
            img.set(x, y, jitter(c, 6, seed + 2, x, y));
        }
    // A few small pebbles.
    for (int i = 0; i < 4; ++i) {
        const int px = randInt(seed + 3, i, 0, 0, img.w - 1),
                  py = randInt(seed + 4, i, 0, 0, img.h - 1);
        const Rgb stone = rgb(128, 120, 110);
        img.setWrapped(px, py, stone);
        img.setWrapped(px + 1, py, shade(stone, 0.85f));
        img.setWrapped(px, py - 1, shade(stone, 1.15f));
    }
}

Rgb grassColour(uint32_t seed, int x, int y, int period) {
    const float n = smoothNoise(seed, float(x), float(y), 8, period);
    Rgb c = shade({92, 154, 52}, 0.84f + 0.26f * n);
    const float r = rand01(seed + 1, x, y);
    if (r < 0.12f)
        c = shade(c, 0.82f);
    else if (r > 0.9f)
        c = shade(c, 1.14f);
    return jitter(c, 5, seed + 2, x, y);
}

void paintGrassTop(Image& img, uint32_t seed) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) img.set(x, y, grassColour(seed, x, y, img.w));
    // Blades: short light strokes.
    for (int i = 0; i < 22; ++i) {
        const int bx = randInt(seed + 3, i, 0, 0, img.w - 1),
                  by = randInt(seed + 4, i, 0, 0, img.h - 1);
        img.setWrapped(bx, by, rgb(132, 192, 78));
        img.setWrapped(bx, by + 1, rgb(112, 176, 64));
    }
}

void paintGrassSide(Image& img, uint32_t seed) {
    paintDirt(img, seed);
    for (int x = 0; x < img.w; ++x) {
        int depth = 4 + randInt(seed + 5, x, 0, 0, 2);
        if (rand01(seed + 6, x, 0) > 0.8f) depth += randInt(seed + 7, x, 0, 2, 4);  // drips
        for (int y = 0; y < depth; ++y) img.set(x, y, grassColour(seed + 8, x, y, img.w));
        img.set(x, depth, shade(img.get(x, depth), 0.78f));  // shadow under the turf
    }
}

void paintSand(Image& img, uint32_t seed) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const float n = smoothNoise(seed, float(x), float(y), 8, img.w);
            Rgb c = shade({220, 206, 160}, 0.93f + 0.1f * n);
            const float r = rand01(seed + 1, x, y);
            if (r < 0.08f)
                c = rgb(196, 180, 132);
            else if (r > 0.95f)
                c = rgb(236, 226, 188);
            img.set(x, y, jitter(c, 4, seed + 2, x, y));
        }
}

void paintGravel(Image& img, uint32_t seed) {
    const Cells cells(seed, img.w, img.h, 5);
    const Rgb palette[] = {
        {132, 128, 126}, {108, 104, 102}, {128, 114, 102}, {156, 152, 148}, {118, 118, 124}};
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const auto hit = cells.at(x, y);
            Rgb c;
            if (hit.gap < 1.0f) {
                c = rgb(66, 62, 60);
            } else {
                c = palette[hash(seed + 1, hit.index, 0) % 5];
                if (hit.gap < 2.2f) c = shade(c, hit.dx + hit.dy < 0 ? 1.15f : 0.8f);
            }
            img.set(x, y, jitter(c, 5, seed + 2, x, y));
        }
}

void paintLeaves(Image& img, uint32_t seed) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const float n = smoothNoise(seed, float(x), float(y), 4, img.w);
            Rgb c = shade({60, 116, 38}, 0.78f + 0.36f * n);
            const float r = rand01(seed + 1, x, y);
            if (r < 0.14f) c = rgb(30, 66, 22);  // gaps between leaves
            img.set(x, y, c);
        }
    // Lit leaf tips.
    for (int i = 0; i < 40; ++i) {
        const int lx = randInt(seed + 2, i, 0, 0, img.w - 1),
                  ly = randInt(seed + 3, i, 0, 0, img.h - 1);
        img.setWrapped(lx, ly, rgb(104, 166, 62));
        img.setWrapped(lx + 1, ly, rgb(86, 148, 52));
    }
}

Rgb barkColour(uint32_t seed, int x, int y, int w) {
    // Stretched noise: fibres run along the trunk.
    const float n = smoothNoise(seed, float(x) * 4, float(y) * 0.5f, 8, w * 4);
    Rgb c = shade({104, 80, 48}, 0.8f + 0.35f * n);
    if (n < 0.3f) c = rgb(62, 46, 28);  // grooves
    return jitter(c, 4, seed + 1, x, y);
}

void paintLogEnd(Image& img, uint32_t seed) {
    const float cx = img.w / 2.0f, cy = img.h / 2.0f;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            if (std::max(std::abs(dx), std::abs(dy)) > cx - 2.5f) {
                img.set(x, y, barkColour(seed, x, y, img.w));
                continue;
            }
            const float wobble = smoothNoise(seed + 2, float(x), float(y), 4, img.w) * 0.9f;
            const int ringIndex = int(std::sqrt(dx * dx + dy * dy) / 2.2f + wobble);
            Rgb c = ringIndex % 2 == 0 ? Rgb{186, 150, 94} : Rgb{156, 120, 72};
            if (ringIndex == 0) c = rgb(140, 104, 60);
            img.set(x, y, jitter(c, 4, seed + 3, x, y));
        }
}

void paintBark(Image& img, uint32_t seed) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) img.set(x, y, barkColour(seed, x, y, img.w));
}

void paintPlanks(Image& img, uint32_t seed) {
    const int plankH = img.h / 4;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const int plank = y / plankH, py = y % plankH;
            const float grain =
                smoothNoise(seed + uint32_t(plank), float(x), float(y) * 8, 8, img.w);
            Rgb c = shade({170, 134, 82}, 0.88f + 0.16f * rand01(seed + 1, 0, y) + 0.08f * grain);
            c = shade(c, 0.96f + 0.06f * float(plank % 2));
            const int joint = (plank * 13 + 5) % img.w;
            if (py == plankH - 1)
                c = rgb(104, 78, 46);
            else if (py == 0)
                c = shade(c, 1.1f);
            else if (x == joint)
                c = rgb(112, 84, 50);
            else if (x == (joint + 1) % img.w)
                c = shade(c, 1.08f);
            img.set(x, y, jitter(c, 3, seed + 2, x, y));
        }
}

enum class Fleck { Metal, Crystal, Lump, Oil };

struct OreStyle {
    Rgb colour;
    Fleck fleck;
    int clusters;
    bool patina = false;  // green copper bloom beside each fleck
};

OreStyle oreStyle(Ore ore) {
    switch (ore) {
        case Ore::Scheelite:
            return {{236, 196, 120}, Fleck::Metal, 6};
        case Ore::Hematite:
            return {{168, 72, 56}, Fleck::Metal, 6};
        case Ore::Quartz:
            return {{242, 240, 232}, Fleck::Crystal, 6};
        case Ore::Argentite:
            return {{176, 184, 204}, Fleck::Metal, 6};
        case Ore::Gold:
            return {{248, 206, 60}, Fleck::Metal, 6};
        case Ore::Sperrylite:
            return {{200, 228, 232}, Fleck::Metal, 6};
        case Ore::Saphire:
            return {{44, 86, 226}, Fleck::Crystal, 5};
        case Ore::Ruby:
            return {{214, 24, 56}, Fleck::Crystal, 5};
        case Ore::Emerald:
            return {{30, 196, 92}, Fleck::Crystal, 5};
        case Ore::Diamond:
            return {{120, 232, 236}, Fleck::Crystal, 5};
        case Ore::Coal:
            return {{34, 34, 36}, Fleck::Lump, 7};
        case Ore::Petroleum:
            return {{30, 22, 18}, Fleck::Oil, 6};
        case Ore::Cuprite:
            return {{146, 26, 34}, Fleck::Metal, 7, true};
    }
    return {{255, 255, 255}, Fleck::Metal, 0};
}

void drawFleck(Image& img, const OreStyle& style, uint32_t seed, int cx, int cy) {
    const Rgb main = style.colour;
    const Rgb light = mix(main, {255, 255, 255}, 0.45f), dark = shade(main, 0.6f);
    switch (style.fleck) {
        case Fleck::Metal:
        case Fleck::Lump: {
            // A rounded, ragged nugget lit from the upper left.
            const float radius = style.fleck == Fleck::Lump ? 3.0f : 2.3f;
            for (int dy = -3; dy <= 4; ++dy)
                for (int dx = -3; dx <= 4; ++dx) {
                    const float ox = float(dx) - 0.5f, oy = float(dy) - 0.5f;
                    const float reach = radius * radius * (0.55f + 0.6f * rand01(seed, dx, dy));
                    if (ox * ox + oy * oy > reach) continue;
                    const float side = (ox + oy) / (2 * radius);
                    Rgb c = side < -0.35f ? light : side > 0.35f ? dark : main;
                    img.setWrapped(cx + dx, cy + dy, jitter(c, 8, seed + 1, dx, dy));
                }
            if (style.fleck == Fleck::Lump) img.setWrapped(cx - 1, cy - 1, rgb(96, 96, 100));
            if (style.patina) {
                img.setWrapped(cx + 3, cy + 1, rgb(70, 168, 120));
                img.setWrapped(cx + 3, cy + 2, rgb(52, 140, 98));
                img.setWrapped(cx - 2, cy + 3, rgb(70, 168, 120));
                img.setWrapped(cx, cy, rgb(226, 128, 80));  // a copper glint
            }
            break;
        }
        case Fleck::Crystal:
            // A small diamond shape with a white glint.
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    if (std::abs(dx) + std::abs(dy) > 2) continue;
                    Rgb c = main;
                    if (dx < 0 || dy < 0) c = light;
                    if (dx > 0 && dy > 0) c = dark;
                    if (std::abs(dx) + std::abs(dy) == 2 && dx + dy >= 1) c = dark;
                    img.setWrapped(cx + dx, cy + dy, c);
                }
            img.setWrapped(cx - 1, cy - 1, {255, 255, 255});
            break;
        case Fleck::Oil:
            // A glossy black seep with a thin rainbow film and one bright glint.
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    if (float(dx * dx) / 10.0f + float(dy * dy) / 5.0f > 1.0f) continue;
                    img.setWrapped(cx + dx, cy + dy, jitter(main, 4, seed, dx, dy));
                }
            img.setWrapped(cx - 2, cy - 1, rgb(110, 70, 150));
            img.setWrapped(cx - 1, cy - 1, rgb(70, 100, 160));
            img.setWrapped(cx, cy - 1, rgb(70, 130, 110));
            img.setWrapped(cx - 1, cy, rgb(220, 220, 230));
            break;
    }
}

}  // namespace

void paintGround(Image& img, Ground kind) {
    switch (kind) {
        case Ground::Dirt:
            paintDirt(img, 101);
            break;
        case Ground::GrassTop:
            paintGrassTop(img, 102);
            break;
        case Ground::GrassSide:
            paintGrassSide(img, 101);
            break;
        case Ground::Sand:
            paintSand(img, 103);
            break;
        case Ground::Gravel:
            paintGravel(img, 104);
            break;
        case Ground::Leaves:
            paintLeaves(img, 105);
            break;
    }
}

void paintRock(Image& img, Rock kind) {
    switch (kind) {
        case Rock::Stone:
            paintStoneGround(img, 201, {128, 128, 128});
            break;
        case Rock::Cobblestone:
            paintCobble(img, 202, false);
            break;
        case Rock::MossyCobblestone:
            paintCobble(img, 202, true);
            break;
        case Rock::StoneBricks:
            paintStoneBricks(img, 203);
            break;
        case Rock::Cementite:
            paintCementite(img, 204);
            break;
    }
}

void paintWood(Image& img, Wood kind) {
    switch (kind) {
        case Wood::LogEnd:
            paintLogEnd(img, 301);
            break;
        case Wood::Bark:
            paintBark(img, 301);
            break;
        case Wood::Planks:
            paintPlanks(img, 302);
            break;
    }
}

void paintOre(Image& img, Ore kind) {
    paintStoneGround(img, 201, {128, 128, 128});  // the same stone as plain Stone
    const OreStyle style = oreStyle(kind);
    const uint32_t seed = 400 + uint32_t(kind);
    // Clusters sit in the cells of a 3 x 3 grid, a few cells left empty, so
    // they spread over the face without clumping.
    int drawn = 0;
    for (int i = 0; i < 9 && drawn < style.clusters; ++i) {
        if (9 - i > style.clusters - drawn && rand01(seed, i, 7) < 0.35f) continue;
        const int cx = (i % 3) * img.w / 3 + randInt(seed, i, 0, 2, img.w / 3 - 3);
        const int cy = (i / 3) * img.h / 3 + randInt(seed, i, 1, 2, img.h / 3 - 3);
        drawFleck(img, style, seed + uint32_t(i) * 17, cx, cy);
        ++drawn;
    }
}

void paintGlass(Image& img) {
    const Rgb pane{206, 230, 236}, rim{236, 248, 252}, edge{168, 200, 212};
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) img.set(x, y, jitter(pane, 2, 501, x, y));
    frame(img, 0, 0, img.w - 1, img.h - 1, edge);
    frame(img, 1, 1, img.w - 2, img.h - 2, rim);
    // Two diagonal glints across the upper left.
    for (int i = 0; i < 6; ++i) {
        img.set(4 + i, 9 - i, rim);
        img.set(5 + i, 9 - i, rim);
        img.set(8 + i, 11 - i, {246, 252, 255});
    }
    for (int i = 0; i < 4; ++i) img.set(22 + i, 26 - i, rim);
}

void paintPlainBlock(Image& img) {
    paintStoneGround(img, 601, {176, 176, 170});
    for (int i = 1; i <= 2; ++i)
        for (int t = i; t < img.w - i; ++t) {
            img.set(t, i, shade(img.get(t, i), 1.14f));
            img.set(i, t, shade(img.get(i, t), 1.14f));
            img.set(t, img.h - 1 - i, shade(img.get(t, img.h - 1 - i), 0.84f));
            img.set(img.w - 1 - i, t, shade(img.get(img.w - 1 - i, t), 0.84f));
        }
    frame(img, 0, 0, img.w - 1, img.h - 1, {0, 0, 0});
}

}  // namespace art
