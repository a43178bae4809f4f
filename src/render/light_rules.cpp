#include "render/light_rules.h"

#include <algorithm>
#include <cmath>

#include "render/block_faces.h"
#include "world/block_types.h"

namespace {

struct TorchTable {
    uint8_t level[2 * kTorchReach + 1][2 * kTorchReach + 1][2 * kTorchReach + 1];
};

// Falls from 130 at the torch to 50 at distance 7.08. The distance is taken
// in two steps, across x and y first, each rounded to a float, and the level
// keeps the low byte of its 16-bit value, as torches have always been lit.
TorchTable makeTorchTable() {
    TorchTable t{};
    for (int dx = -kTorchReach; dx <= kTorchReach; ++dx)
        for (int dy = -kTorchReach; dy <= kTorchReach; ++dy)
            for (int dz = -kTorchReach; dz <= kTorchReach; ++dz) {
                const float d = float(std::sqrt(double(dx * dx + dy * dy)));
                const float f = float(std::sqrt(double(d * d + float(dz * dz))));
                const int16_t g = int16_t((7.08 - double(f)) * 11.299436 + 50.0);
                t.level[dx + kTorchReach][dy + kTorchReach][dz + kTorchReach] = uint8_t(g);
            }
    return t;
}

const TorchTable kTorchTable = makeTorchTable();

}  // namespace

uint8_t skyStartLevel(float timeLuminance) {
    return uint8_t(int(timeLuminance * 150.0f));
}

int absorption(uint8_t type) {
    switch (type) {
        case block::Air:
        case block::Torch:
            return 0;
        case block::Glass:
            return 5;
        case block::Leaves:
            return 9;
        default:
            return 30;
    }
}

int skyLevelAt(int startLevel, int absorbed) {
    return std::max(startLevel - absorbed, kDarkLevel);
}

int torchLevel(int dx, int dy, int dz) {
    if (std::abs(dx) > kTorchReach || std::abs(dy) > kTorchReach || std::abs(dz) > kTorchReach)
        return 0;
    return kTorchTable.level[dx + kTorchReach][dy + kTorchReach][dz + kTorchReach];
}

float faceShade(int level, int face) {
    const float shade = float((double(level) + 1.0) * 0.00625 * double(kFaceFactor[face]));
    return std::min(shade, 1.0f);
}

void buildLightTable(float timeLuminance, plat::LightTable& out) {
    out = plat::LightTable{};
    for (int face = 0; face < kFaceCount; ++face) {
        for (int level = 0; level < plat::kLightLevels; ++level)
            out.shade[face][level] = faceShade(std::max(level, kDarkLevel), face);
        const float edge = std::min(timeLuminance * kFaceFactor[face], 1.0f);
        for (int level = 0; level < plat::kLightLevels; ++level)
            out.shade[edgeRow(face)][level] = edge;
    }
}
