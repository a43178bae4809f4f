// The box of cells around the player that a frame draws and lights: the cube
// of cells within the view radius of the player's cell, and the light map's
// columns and rows. Which torches shine in a frame depends on it: those whose
// column lies in the box and whose row is not below its bottom.
#pragma once

#include <algorithm>

#include "game/player.h"
#include "world/world.h"

struct LightBox {
    int cx = 0, cy = 0, cz = 0;  // the player's cell, truncated towards zero
    int radius = 20;

    // The light box's lowest row; its top is cy + radius.
    int bottom() const { return std::max(cy - radius, 0); }
    // Above the world by more than the radius, nothing is lit (nor drawn).
    bool lit() const { return cy - radius <= kWorldSizeY - 1; }
    bool inCube(int x, int y, int z) const {
        return x >= cx - radius && x <= cx + radius && y >= cy - radius && y <= cy + radius &&
               z >= cz - radius && z <= cz + radius;
    }
    bool torchShines(int x, int y, int z) const {
        return lit() && inWorld(x, y, z) && x >= cx - radius && x <= cx + radius &&
               z >= cz - radius && z <= cz + radius && y >= bottom();
    }
    bool operator==(const LightBox&) const = default;
};

inline LightBox lightBoxAt(const Vec3& eye, int radius) {
    return LightBox{int(eye.x), int(eye.y), int(eye.z), radius};
}
