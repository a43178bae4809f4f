#include "world/collision.h"

#include "world/block_types.h"
#include "world/world.h"

namespace {

// The sample's cell among the candidates around its truncated position, the
// first in x, y, z order that holds it; false when none lies in the grid.
bool sampleCell(const Vec3& p, int& cx, int& cy, int& cz) {
    // No cell of the grid reaches beyond these bounds; testing them first also
    // keeps a far or undefined coordinate from being truncated to an integer.
    constexpr float kMin = -0.5f;
    if (!(p.x >= kMin && p.x <= kWorldSizeX - 0.5f && p.y >= kMin && p.y <= kWorldSizeY - 0.5f &&
          p.z >= kMin && p.z <= kWorldSizeZ - 0.5f))
        return false;
    const int ix = int(p.x), iy = int(p.y), iz = int(p.z);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -2; dy <= 1; ++dy)
            for (int dz = -1; dz <= 1; ++dz) {
                const int x = ix + dx, y = iy + dy, z = iz + dz;
                if (!inWorld(x, y, z)) continue;
                const Vec3 c{float(x), float(y), float(z)};
                if (pointInCell(p, c) == c) {
                    cx = x, cy = y, cz = z;
                    return true;
                }
            }
    return false;
}

}  // namespace

Vec3 pointInCell(const Vec3& p, const Vec3& c) {
    const bool inside = c.x - 0.5f <= p.x && p.x <= c.x + 0.5f && c.y - 0.5f <= p.y &&
                        p.y <= c.y + 0.5f && c.z - 0.5f <= p.z && p.z <= c.z + 0.5f;
    return inside ? c : Vec3{-1.0f, -1.0f, -1.0f};
}

bool bodyCollides(const World& world, const Vec3& eye) {
    if (!world.cells) return false;
    // Offsets are applied in double and each coordinate rounded once, as the
    // samples have always been stored.
    auto at = [](float v, double offset) { return float(double(v) + offset); };
    const double heights[3] = {0.35, -0.5, -1.5};
    const double corners[4][2] = {{-0.4, 0.4}, {0.4, 0.4}, {0.4, -0.4}, {-0.4, -0.4}};
    for (double h : heights)
        for (const auto& corner : corners) {
            const Vec3 p{at(eye.x, corner[0]), at(eye.y, h), at(eye.z, corner[1])};
            int x, y, z;
            if (!sampleCell(p, x, y, z)) continue;
            const uint8_t type = cell(world, x, y, z).type;
            if (type != block::Air && type != block::Torch) return true;
        }
    return false;
}

bool samplePicksCell(const World& world, const Vec3& s, int x, int y, int z) {
    if (!world.cells || !inWorld(x, y, z)) return false;
    const uint8_t type = cell(world, x, y, z).type;
    if (type == block::Air) return false;
    const float m = type == block::Torch ? 0.25f : 0.5f;
    const float fx = float(x), fy = float(y), fz = float(z);
    return fx - m <= s.x && s.x <= fx + m && fy - m <= s.y && s.y <= fy + m && fz - m <= s.z &&
           s.z <= fz + m;
}
