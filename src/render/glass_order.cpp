#include "render/glass_order.h"

#include <algorithm>
#include <cmath>

float glassDistance(const Vec3& eye, int x, int y, int z) {
    const float dx = eye.x - float(x), dy = eye.y - float(y), dz = eye.z - float(z);
    const float across = float(std::sqrt(double(dx * dx + dy * dy)));
    return float(std::sqrt(double(across * across + dz * dz)));
}

void sortGlassForDrawing(std::vector<GlassEntry>& entries) {
    // Keys are unique (the walk index tells equal distances apart), so any
    // sort gives the one order.
    std::sort(entries.begin(), entries.end(),
              [](const GlassEntry& a, const GlassEntry& b) { return a.key > b.key; });
}
