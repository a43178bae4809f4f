// Faces of the crafting stations (furnace, crafting table, anvil) and the chest.
#include <cmath>

#include "paint.h"
#include "pictures.h"

namespace art {

namespace {

// A board with grain running across, for the chest and the table's frame.
void woodPanel(Image& img, uint32_t seed, Rgb base, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float grain = smoothNoise(seed, float(x), float(y) * 6, 8, img.w);
            Rgb c = shade(base, 0.9f + 0.12f * rand01(seed + 1, 0, y) + 0.08f * grain);
            img.set(x, y, jitter(c, 3, seed + 2, x, y));
        }
}

void bevelRect(Image& img, int x0, int y0, int x1, int y1, float light, float dark) {
    for (int x = x0; x <= x1; ++x) {
        img.set(x, y0, shade(img.get(x, y0), light));
        img.set(x, y1, shade(img.get(x, y1), dark));
    }
    for (int y = y0 + 1; y < y1; ++y) {
        img.set(x0, y, shade(img.get(x0, y), light));
        img.set(x1, y, shade(img.get(x1, y), dark));
    }
}

void ironNoise(Image& img, uint32_t seed, Rgb base, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float n = smoothNoise(seed, float(x), float(y), 8, img.w);
            img.set(x, y, jitter(shade(base, 0.9f + 0.18f * n), 3, seed + 1, x, y));
        }
}

void furnaceSide(Image& img) {
    paintRock(img, Rock::StoneBricks);
    // A darker base course and a lighter top course frame the oven.
    for (int x = 0; x < img.w; ++x)
        for (int y = 0; y < 2; ++y) {
            img.set(x, y, shade(img.get(x, y), 1.12f));
            img.set(x, img.h - 1 - y, shade(img.get(x, img.h - 1 - y), 0.78f));
        }
}

void furnaceFront(Image& img) {
    furnaceSide(img);
    // Oven mouth with a lintel, glowing embers and flames.
    rect(img, 7, 13, 24, 14, {58, 56, 56});
    rect(img, 8, 15, 23, 28, {26, 20, 18});
    bevelRect(img, 7, 14, 24, 29, 0.7f, 1.2f);
    for (int x = 9; x <= 22; ++x) {
        const int h = 3 + int(3.0f * rand01(701, x, 0)) + (x > 12 && x < 19 ? 3 : 0);
        for (int k = 0; k < h; ++k) {
            const float t = float(k) / float(h);
            const Rgb c = mix({255, 236, 120}, {214, 64, 20}, t);
            img.set(x, 27 - k, jitter(c, 8, 702, x, k));
        }
    }
    for (int x = 9; x <= 22; ++x) img.set(x, 28, x % 3 == 0 ? Rgb{255, 150, 40} : Rgb{120, 40, 20});
    // A slot for smoke above.
    rect(img, 11, 5, 20, 7, {34, 30, 30});
    bevelRect(img, 10, 4, 21, 8, 0.7f, 1.2f);
}

void tableTop(Image& img) {
    woodPanel(img, 711, {176, 136, 84}, 0, 0, img.w - 1, img.h - 1);
    frame(img, 0, 0, img.w - 1, img.h - 1, {92, 64, 36});
    frame(img, 1, 1, img.w - 2, img.h - 2, {124, 90, 52});
    // The 3 x 3 working grid burnt into the top.
    const Rgb groove{108, 78, 46};
    for (int t = 4; t <= 27; ++t) {
        for (int g : {4, 12, 19, 27}) {
            img.set(t, g, groove);
            img.set(g, t, groove);
        }
    }
    for (int gy : {4, 12, 19})
        for (int gx : {4, 12, 19}) img.set(gx + 1, gy + 1, shade(img.get(gx + 1, gy + 1), 1.15f));
}

void tableSide(Image& img) {
    woodPanel(img, 712, {160, 120, 72}, 0, 0, img.w - 1, img.h - 1);
    // Table top edge and legs.
    rect(img, 0, 0, img.w - 1, 4, {124, 90, 52});
    woodPanel(img, 713, {186, 146, 92}, 0, 0, img.w - 1, 3);
    rect(img, 0, 4, img.w - 1, 4, {86, 60, 34});
    rect(img, 0, 5, 3, img.h - 1, {120, 86, 50});
    rect(img, img.w - 4, 5, img.w - 1, img.h - 1, {120, 86, 50});
    bevelRect(img, 0, 5, 3, img.h - 1, 1.15f, 0.75f);
    bevelRect(img, img.w - 4, 5, img.w - 1, img.h - 1, 1.15f, 0.75f);
    // A saw hanging on the left.
    polygon(img, {{6, 9}, {15, 9}, {15, 13}, {6, 26}}, {196, 198, 204});
    for (int k = 0; k < 6; ++k) img.set(7 + k, 25 - 2 * k, {120, 122, 130});
    rect(img, 13, 8, 16, 13, {120, 76, 40});
    frame(img, 13, 8, 16, 13, {70, 44, 24});
    // A hammer on the right.
    rect(img, 22, 12, 23, 27, {130, 88, 48});
    rect(img, 19, 8, 26, 12, {150, 152, 160});
    bevelRect(img, 19, 8, 26, 12, 1.25f, 0.7f);
    rect(img, 22, 27, 23, 27, {90, 60, 32});
}

void anvilTop(Image& img) {
    ironNoise(img, 721, {70, 72, 80}, 0, 0, img.w - 1, img.h - 1);
    // The polished working face, worn bright along its length.
    ironNoise(img, 722, {118, 122, 132}, 3, 8, img.w - 4, img.h - 9);
    for (int x = 5; x < img.w - 5; ++x)
        if (rand01(723, x, 0) > 0.4f) img.set(x, 12 + int(rand01(724, x, 0) * 8), {160, 164, 174});
    bevelRect(img, 3, 8, img.w - 4, img.h - 9, 1.2f, 0.7f);
    frame(img, 0, 0, img.w - 1, img.h - 1, {38, 38, 44});
}

void anvilSide(Image& img) {
    ironNoise(img, 731, {50, 50, 56}, 0, 0, img.w - 1, img.h - 1);
    frame(img, 0, 0, img.w - 1, img.h - 1, {30, 30, 34});
    Image shape(img.w, img.h);
    const Rgb iron{122, 126, 136};
    polygon(shape, {{1, 7}, {9, 6}, {30, 6}, {30, 12}, {12, 12}, {5, 10}}, iron);  // face + horn
    rect(shape, 11, 12, 21, 19, shade(iron, 0.9f));                                // waist
    polygon(shape, {{11, 19}, {21, 19}, {26, 24}, {26, 27}, {6, 27}, {6, 24}}, iron);  // foot
    bevelShapes(shape, 1.3f, 0.65f);
    outlineShapes(shape, {20, 20, 24});
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            if (!(shape.get(x, y) == kClear)) img.set(x, y, jitter(shape.get(x, y), 3, 732, x, y));
}

void anvilBottom(Image& img) {
    ironNoise(img, 741, {62, 62, 68}, 0, 0, img.w - 1, img.h - 1);
    frame(img, 0, 0, img.w - 1, img.h - 1, {34, 34, 38});
    bevelRect(img, 4, 4, img.w - 5, img.h - 5, 0.7f, 1.2f);
    for (int t = 6; t < img.w - 6; t += 2) {
        img.set(t, t, {48, 48, 54});
        img.set(img.w - 1 - t, t, {48, 48, 54});
    }
}

const Rgb kChestWood{164, 112, 54};
const Rgb kChestRim{92, 60, 28};
const Rgb kLatch{200, 200, 206};

void chestBox(Image& img, uint32_t seed, bool lidLine) {
    woodPanel(img, seed, kChestWood, 0, 0, img.w - 1, img.h - 1);
    frame(img, 0, 0, img.w - 1, img.h - 1, kChestRim);
    frame(img, 1, 1, img.w - 2, img.h - 2, shade(kChestRim, 1.3f));
    if (lidLine) {
        rect(img, 1, 11, img.w - 2, 11, kChestRim);
        rect(img, 1, 12, img.w - 2, 12, shade(kChestWood, 0.8f));
    }
}

}  // namespace

void paintStation(Image& img, Station kind) {
    switch (kind) {
        case Station::FurnaceFront:
            furnaceFront(img);
            break;
        case Station::FurnaceSide:
            furnaceSide(img);
            break;
        case Station::TableTop:
            tableTop(img);
            break;
        case Station::TableSide:
            tableSide(img);
            break;
        case Station::AnvilTop:
            anvilTop(img);
            break;
        case Station::AnvilSide:
            anvilSide(img);
            break;
        case Station::AnvilBottom:
            anvilBottom(img);
            break;
        case Station::ChestFront:
            chestBox(img, 751, true);
            rect(img, 13, 8, 18, 16, kLatch);
            bevelRect(img, 13, 8, 18, 16, 1.15f, 0.7f);
            frame(img, 12, 7, 19, 17, {56, 56, 62});
            rect(img, 15, 12, 16, 14, {30, 30, 34});
            break;
        case Station::ChestSide:
            chestBox(img, 752, true);
            break;
        case Station::ChestTop:
            chestBox(img, 753, false);
            for (int y = 2; y < img.h - 2; ++y) img.set(img.w / 2, y, shade(kChestWood, 0.75f));
            break;
    }
}

}  // namespace art
