// Icons of carried things (tools, ingots, gems, fuels, sticks, snippets, torch)
// on a transparent background, and the torch's own two faces.
#include <algorithm>
#include <cmath>

#include "paint.h"
#include "pictures.h"

namespace art {

namespace {

const Rgb kRim{26, 20, 18};
const Rgb kHandle{122, 84, 44};

Rgb metalColour(Metal metal) {
    switch (metal) {
        case Metal::Wood:
            return {164, 122, 68};
        case Metal::Copper:
            return {214, 122, 66};
        case Metal::Iron:
            return {200, 200, 200};
        case Metal::Steel:
            return {128, 142, 162};
        case Metal::Silver:
            return {232, 238, 248};
        case Metal::Gold:
            return {252, 210, 60};
        case Metal::Platinum:
            return {176, 224, 230};
        case Metal::Diamond:
            return {96, 228, 226};
        case Metal::Tungsten:
            return {134, 136, 146};
        case Metal::Silicon:
            return {90, 100, 132};
    }
    return {255, 255, 255};
}

// Finishing touch shared by every icon: volume on the edges and a dark rim.
void finishIcon(Image& img) {
    bevelShapes(img, 1.22f, 0.72f);
    outlineShapes(img, kRim);
}

void drawHandle(Image& img, float x0, float y0, float x1, float y1) {
    thickLine(img, x0, y0, x1, y1, 3.0f, kHandle);
    // Darker wrap bands every few pixels.
    const int steps = 4;
    for (int i = 1; i < steps; ++i) {
        const float t = float(i) / float(steps);
        img.set(int(x0 + (x1 - x0) * t), int(y0 + (y1 - y0) * t), shade(kHandle, 0.7f));
    }
}

void sword(Image& img, Rgb metal) {
    const Rgb light = mix(metal, {255, 255, 255}, 0.5f), dark = shade(metal, 0.7f);
    polygon(img, {{9.5f, 19.5f}, {12.5f, 22.5f}, {26.5f, 8.5f}, {28.5f, 3.5f}, {23.5f, 5.5f}},
            metal);
    for (int i = 0; i < 14; ++i) img.set(11 + i, 20 - i, light);  // the edge catching light
    for (int i = 0; i < 13; ++i) img.set(13 + i, 21 - i, dark);
    thickLine(img, 6.5f, 17.5f, 14.5f, 25.5f, 3.0f, shade(metal, 0.62f));  // guard
    drawHandle(img, 9.5f, 22.5f, 4.5f, 27.5f);
    disc(img, 3.5f, 28.5f, 2.0f, dark);  // pommel
}

void pickaxe(Image& img, Rgb metal) {
    drawHandle(img, 5.5f, 27.5f, 22.5f, 10.5f);
    // The head: a thick bow across the top of the handle, tapering to points.
    const Pt p0{7.5f, 6.0f}, p1{27.5f, 4.5f}, p2{26.0f, 25.5f};
    for (int i = 0; i <= 60; ++i) {
        const float t = float(i) / 60.0f, u = 1 - t;
        const float x = u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x;
        const float y = u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y;
        const float r = 0.9f + 1.6f * (1 - std::abs(2 * t - 1));
        disc(img, x, y, r, metal);
    }
    // A bright streak along the outer curve.
    for (int i = 8; i <= 52; ++i) {
        const float t = float(i) / 60.0f, u = 1 - t;
        const float x = u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x;
        const float y = u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y;
        img.set(int(x + 0.8f), int(y - 0.8f), mix(metal, {255, 255, 255}, 0.45f));
    }
}

void axe(Image& img, Rgb metal) {
    drawHandle(img, 7.5f, 28.5f, 21.5f, 5.5f);
    const Rgb light = mix(metal, {255, 255, 255}, 0.5f);
    // Head: a narrow neck from the handle flaring out to a tall curved edge.
    polygon(img,
            {{9, 1},
             {14, 5},
             {19, 3.5f},
             {24, 4},
             {24, 10},
             {19, 11},
             {14, 10},
             {10, 15.5f},
             {7, 14},
             {5.5f, 11},
             {5, 8},
             {6, 4}},
            metal);
    rect(img, 22, 5, 23, 9, shade(metal, 0.78f));  // the poll behind the handle
    // The sharpened edge: the first two pixels of every row from the left.
    for (int y = 1; y <= 15; ++y)
        for (int x = 0; x < 12; ++x)
            if (!(img.get(x, y) == kClear)) {
                img.set(x, y, light);
                img.set(x + 1, y, mix(metal, light, 0.5f));
                break;
            }
}

void ingot(Image& img, Rgb metal) {
    const Rgb light = mix(metal, {255, 255, 255}, 0.35f), dark = shade(metal, 0.68f);
    polygon(img, {{9, 10}, {27, 10}, {23, 16}, {5, 16}}, light);   // top
    polygon(img, {{5, 16}, {23, 16}, {23, 24}, {5, 24}}, metal);   // front
    polygon(img, {{23, 16}, {27, 10}, {27, 18}, {23, 24}}, dark);  // end
    for (int x = 10; x <= 20; ++x) img.set(x, 12, mix(light, {255, 255, 255}, 0.5f));
}

void gem(Image& img, Gem kind) {
    switch (kind) {
        case Gem::Saphire: {
            const Rgb c{40, 84, 226};
            for (int y = 0; y < img.h; ++y)
                for (int x = 0; x < img.w; ++x) {
                    const float dx = (float(x) + 0.5f - 16) / 9.0f,
                                dy = (float(y) + 0.5f - 16) / 11.5f;
                    const float d = dx * dx + dy * dy;
                    if (d <= 1) img.set(x, y, d < 0.3f ? mix(c, {255, 255, 255}, 0.25f) : c);
                }
            line(img, 9, 12, 16, 5, shade(c, 0.75f));
            line(img, 16, 27, 23, 20, shade(c, 0.7f));
            img.set(12, 10, {255, 255, 255});
            img.set(13, 9, {255, 255, 255});
            break;
        }
        case Gem::Ruby: {
            const Rgb c{214, 24, 56};
            polygon(img, {{16, 4}, {27, 10}, {27, 22}, {16, 28}, {5, 22}, {5, 10}}, c);
            polygon(img, {{16, 9}, {22, 13}, {22, 19}, {16, 23}, {10, 19}, {10, 13}},
                    mix(c, {255, 255, 255}, 0.25f));
            line(img, 16, 23, 16, 27, shade(c, 0.7f));
            line(img, 22, 19, 26, 21, shade(c, 0.7f));
            img.set(12, 12, {255, 255, 255});
            img.set(13, 11, {255, 255, 255});
            break;
        }
        case Gem::Emerald: {
            const Rgb c{28, 190, 88};
            polygon(img, {{10, 5}, {22, 5}, {26, 9}, {26, 23}, {22, 27}, {10, 27}, {6, 23}, {6, 9}},
                    c);
            rect(img, 11, 10, 21, 22, mix(c, {255, 255, 255}, 0.28f));
            line(img, 6, 9, 11, 10, shade(c, 1.2f));
            line(img, 21, 22, 26, 23, shade(c, 0.7f));
            img.set(13, 12, {255, 255, 255});
            img.set(14, 12, {255, 255, 255});
            break;
        }
        case Gem::Diamond: {
            const Rgb c{110, 232, 236};
            polygon(img, {{5, 12}, {11, 6}, {21, 6}, {27, 12}}, mix(c, {255, 255, 255}, 0.4f));
            polygon(img, {{5, 12}, {27, 12}, {16, 27}}, c);
            line(img, 11, 12, 16, 26, shade(c, 0.8f));
            line(img, 21, 12, 16, 26, shade(c, 0.8f));
            line(img, 11, 6, 13, 11, c);
            line(img, 21, 6, 19, 11, c);
            img.set(9, 10, {255, 255, 255});
            img.set(10, 9, {255, 255, 255});
            break;
        }
    }
}

void shards(Image& img, Rgb metal) {
    const Rgb light = mix(metal, {255, 255, 255}, 0.4f);
    polygon(img, {{5, 18}, {12, 14}, {15, 19}, {9, 24}}, metal);
    polygon(img, {{16, 8}, {24, 6}, {26, 12}, {19, 14}}, metal);
    polygon(img, {{17, 20}, {23, 18}, {27, 25}, {20, 27}}, metal);
    img.set(9, 16, light);
    img.set(19, 9, light);
    img.set(20, 20, light);
}

void thing(Image& img, Thing kind) {
    switch (kind) {
        case Thing::Stick:
            thickLine(img, 8.5f, 25.5f, 24.5f, 7.5f, 3.0f, {150, 106, 56});
            for (int i = 0; i < 15; ++i) img.set(10 + i, 24 - i, {116, 80, 40});
            break;
        case Thing::Coal:
            polygon(img, {{8, 12}, {14, 6}, {22, 7}, {27, 13}, {25, 22}, {16, 26}, {6, 21}},
                    {44, 44, 46});
            polygon(img, {{10, 12}, {14, 9}, {19, 10}, {15, 15}}, {84, 84, 88});
            polygon(img, {{18, 17}, {23, 15}, {22, 20}}, {70, 70, 74});
            img.set(13, 10, {150, 150, 156});
            break;
        case Thing::Petroleum:
            disc(img, 16, 20, 8, {38, 26, 20});
            polygon(img, {{16, 3}, {23, 16}, {9, 16}}, {38, 26, 20});
            // Oily rainbow sheen and a highlight.
            for (int i = 0; i < 5; ++i)
                img.set(11 + i, 17 - (i > 2 ? 1 : 0), rgb(90 + 12 * i, 60, 140 - 10 * i));
            disc(img, 12.5f, 21.5f, 1.4f, {200, 190, 180});
            break;
        case Thing::Silica:
            polygon(img, {{4, 26}, {10, 16}, {16, 12}, {22, 15}, {28, 26}}, {226, 222, 210});
            for (int y = 12; y < 27; ++y)
                for (int x = 4; x < 29; ++x)
                    if (!(img.get(x, y) == kClear) && rand01(801, x, y) < 0.2f)
                        img.set(x, y,
                                rand01(802, x, y) < 0.5f ? Rgb{180, 176, 164} : Rgb{250, 250, 246});
            polygon(img, {{13, 10}, {16, 5}, {19, 10}, {16, 14}},
                    {246, 248, 252});  // a crystal on top
            break;
        case Thing::CopperSnippet:
            shards(img, metalColour(Metal::Copper));
            break;
        case Thing::TungstenSnippet:
            shards(img, metalColour(Metal::Tungsten));
            break;
        case Thing::Torch:
            thickLine(img, 16, 29, 16, 12, 3.0f, {140, 98, 52});
            disc(img, 16, 9, 4.2f, {236, 120, 30});
            polygon(img, {{13, 8}, {16, 1}, {19, 8}}, {236, 120, 30});
            disc(img, 16, 9.5f, 2.4f, {255, 214, 90});
            img.set(15, 9, {255, 250, 220});
            img.set(16, 9, {255, 250, 220});
            break;
    }
}

}  // namespace

void paintTool(Image& img, Tool tool, Metal metal) {
    const Rgb c = metalColour(metal);
    switch (tool) {
        case Tool::Sword:
            sword(img, c);
            break;
        case Tool::Pickaxe:
            pickaxe(img, c);
            break;
        case Tool::Axe:
            axe(img, c);
            break;
    }
    finishIcon(img);
}

void paintIngot(Image& img, Metal metal) {
    ingot(img, metalColour(metal));
    outlineShapes(img, kRim);
}

void paintGem(Image& img, Gem kind) {
    gem(img, kind);
    outlineShapes(img, kRim);
}

void paintThing(Image& img, Thing kind) {
    thing(img, kind);
    if (kind == Thing::Stick || kind == Thing::Torch) bevelShapes(img, 1.2f, 0.75f);
    outlineShapes(img, kRim);
}

void paintTorchPart(Image& img, TorchPart part) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            Rgb c;
            if (part == TorchPart::Cap) {
                const float dx = float(x) + 0.5f - img.w / 2.0f,
                            dy = float(y) + 0.5f - img.h / 2.0f;
                const float d = std::sqrt(dx * dx + dy * dy) / (img.w / 2.0f);
                c = mix({255, 246, 190}, {236, 110, 24}, std::min(1.0f, d));
            } else if (y < 7) {
                // The burning end of the stick, hottest at the very top.
                c = mix({255, 230, 120}, {230, 100, 24}, float(y) / 6.0f);
            } else {
                c = shade({138, 96, 50}, 0.86f + 0.2f * rand01(811, x / 4, 0));
                if (y == 7) c = rgb(70, 40, 20);  // charred ring below the flame
            }
            img.set(x, y, jitter(c, 5, 812, x, y));
        }
}

}  // namespace art
