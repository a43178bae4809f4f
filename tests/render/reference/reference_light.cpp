#include "render/reference/reference_light.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/game_state.h"
#include "game/player.h"
#include "game/time_of_day.h"
#include "world/settings.h"
#include "world/world.h"

namespace reference {
namespace {

LightMap& state() {
    static LightMap m;
    return m;
}

int radiusFor(uint8_t renderDistance) {
    switch (renderDistance) {
        case 0:
            return 20;
        case 1:
            return 30;
        case 2:
            return 40;
        case 3:
            return 50;
        default:
            return 60;
    }
}

uint8_t torchG(int dx, int dy, int dz) {
    const float d = float(std::sqrt(double(dx * dx + dy * dy)));
    const float f = float(std::sqrt(double(d * d + float(dz * dz))));
    return uint8_t(int16_t((7.08 - double(f)) * 11.299436 + 50.0));
}

// What the sky pass writes at (x, y, z) when it runs down this column, or 0
// when the cell is not one it writes (not see-through).
uint8_t skyPassValue(int x, int y, int z, uint8_t start) {
    uint8_t level = start;
    bool blocked = false;
    for (int row = kWorldSizeY - 1; row >= y; --row) {
        if (level <= 50) blocked = true;
        const uint8_t t = cell(game.world, x, row, z).type;
        if (t == 0 || t == 24 || t == 73) {
            uint8_t written = 50;
            if (!blocked) {
                if (t == 73) {
                    level = uint8_t(level - 5);
                    written = std::max<uint8_t>(level, 50);
                } else {
                    written = level;
                }
            }
            if (row == y) return written;
        } else {
            if (t == 4 && !blocked)
                level = uint8_t(level - 9);
            else
                level = uint8_t(level - 30);
            if (row == y) return 0;
        }
    }
    return 0;
}

}  // namespace

const LightMap& lightMap() {
    return state();
}

void computeLightMap() {
    LightMap& m = state();
    const int R = radiusFor(game.settings.RenderDistance);
    m.radius = R;
    m.cx = int(game.play.player.Position.x), m.cy = int(game.play.player.Position.y),
    m.cz = int(game.play.player.Position.z);
    m.yTop = m.cy + R;
    m.yBottom = std::max(m.cy - R, 0);
    m.start = uint8_t(TimeLuminance(game.world) * 150);
    m.torchList.clear();

    // Sky pass.
    for (int o = -R; o <= R; ++o)
        for (int u = -R; u <= R; ++u) {
            const int x = m.cx + o, z = m.cz + u;
            uint8_t level = m.start;
            bool blocked = false;
            if (m.cy - R > 199) continue;
            for (int y = 199; y >= m.yBottom; --y) {
                if (x < 0 || x > 999 || z < 0 || z > 999) continue;
                if (level <= 50) blocked = true;
                const uint8_t t = cell(game.world, x, y, z).type;
                if (t == 0 || t == 24 || t == 73) {
                    uint8_t value = 50;
                    if (!blocked) {
                        if (t == 73) {
                            level = uint8_t(level - 5);
                            value = std::max<uint8_t>(level, 50);
                        } else {
                            value = level;
                        }
                    }
                    if (y <= m.yTop) m.at(o + R, y, u + R) = value;
                } else {
                    if (t == 4 && !blocked)
                        level = uint8_t(level - 9);
                    else
                        level = uint8_t(level - 30);
                }
                if (t == 24) m.torchList.push_back({int16_t(o), int16_t(y), int16_t(u)});
            }
        }

    // Torch pass.
    for (const TorchEntry& t : m.torchList)
        for (int ox = t.o - 4; ox <= t.o + 4; ++ox)
            for (int y = t.y - 4; y <= t.y + 4; ++y)
                for (int oz = t.u - 4; oz <= t.u + 4; ++oz) {
                    if (m.cx + ox < 0 || m.cx + ox > 999 || std::abs(ox) > R || y < 0 || y > 199 ||
                        m.cz + oz < 0 || m.cz + oz > 999 || std::abs(oz) > R)
                        continue;
                    const uint8_t g = torchG(t.o - ox, t.y - y, t.u - oz);
                    uint8_t& stored = m.at(ox + R, y, oz + R);
                    if (stored < g) stored = g;
                }
}

uint8_t lightAt(int xi, int y, int zi) {
    LightMap& m = state();
    const int R = m.radius;
    if (xi >= 0 && xi <= 2 * R && zi >= 0 && zi <= 2 * R && y >= m.yBottom && y <= m.yTop)
        return m.at(xi, y, zi);
    // A cell the passes leave open this frame.
    const int x = m.cx - R + xi, z = m.cz - R + zi;
    uint8_t level = skyPassValue(x, y, z, m.start);
    for (const TorchEntry& t : m.torchList) {
        const int tx = m.cx + t.o, tz = m.cz + t.u;
        if (std::abs(tx - x) > 4 || std::abs(t.y - y) > 4 || std::abs(tz - z) > 4) continue;
        level = std::max(level, torchG(tx - x, t.y - y, tz - z));
    }
    return level;
}

void resetLightMap() {
    state() = LightMap{};
}

}  // namespace reference
