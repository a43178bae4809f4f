#include "render/picking.h"

#include <cmath>

#include "world/block_types.h"
#include "world/collision.h"
#include "world/world.h"

namespace {

// A neighbour where a block may go: inside the world, and air or a torch.
bool qualifies(const World& world, int x, int y, int z) {
    if (!world.cells || !inWorld(x, y, z)) return false;
    const uint8_t type = cell(world, x, y, z).type;
    return type == block::Air || type == block::Torch;
}

}  // namespace

Picking startPicking(const Player& player) {
    Picking state;
    state.eye = player.Position;
    state.turn = player.xzRotCamera;
    state.pitch = player.yRotCamera;
    const Vec3 p = state.eye;
    const float a = state.turn, b = state.pitch;
    const float h = 1.0f - std::fabs(std::sin(b)) + 0.002f;
    const Vec3 dir{h * std::sin(a), std::sin(b), h * std::cos(a)};
    // t grows by adding 0.1 in single precision while it stays within 7.
    float t = 0.1f;
    for (int i = 0; i < kRaySamples; ++i, t += 0.1f)
        state.raySamples[i] = Vec3{p.x + t * dir.x, p.y + t * dir.y, p.z + t * dir.z};
    return state;
}

bool withinPickReach(const Vec3& p, int x, int y, int z) {
    const float fx = float(x), fy = float(y), fz = float(z);
    return p.x - kPickReach <= fx && fx <= p.x + kPickReach && p.y - kPickReach <= fy &&
           fy <= p.y + kPickReach && p.z - kPickReach <= fz && fz <= p.z + kPickReach;
}

void pickTestBlock(const World& world, Picking& state, int x, int y, int z) {
    if (!withinPickReach(state.eye, x, y, z)) return;
    for (int i = 0; i < state.bestSample; ++i) {
        if (samplePicksCell(world, state.raySamples[i], x, y, z)) {
            setPickedBlock(state, x, y, z, i);
            return;
        }
    }
}

void setPickedBlock(Picking& state, int x, int y, int z, int sample) {
    state.target.targetBlock = Vec3{float(x), float(y), float(z)};
    state.bestSample = sample;
}

void choosePlacementSide(const World& world, Picking& state) {
    const Vec3 block = state.target.targetBlock;
    if (!hasTarget(state.target)) {
        state.target.NewBlock = kNoSide;
        return;
    }
    const int tx = int(block.x), ty = int(block.y), tz = int(block.z);
    const float m =
        world.cells && inWorld(tx, ty, tz) && cell(world, tx, ty, tz).type == block::Torch ? 0.25f
                                                                                           : 0.5f;
    // The sample before the hit (the eye itself for a hit on the first one),
    // along a direction whose horizontal part uses 0.001 where the samples use 0.002.
    const Vec3 p = state.eye;
    const float a = state.turn, b = state.pitch;
    const float h = 1.0f - std::fabs(std::sin(b)) + 0.001f;
    const float t = 0.1f * float(state.bestSample);
    const Vec3 q{p.x + t * (h * std::sin(a)), p.y + t * std::sin(b), p.z + t * (h * std::cos(a))};
    uint8_t side = kNoSide;
    if (q.x >= block.x + m && tx + 1 <= kWorldSizeX - 1 && qualifies(world, tx + 1, ty, tz))
        side = kSidePlusX;
    if (block.x - m >= q.x && tx - 1 >= 0 && qualifies(world, tx - 1, ty, tz)) side = kSideMinusX;
    if (q.y >= block.y + m && ty + 1 <= kWorldSizeY - 1 && qualifies(world, tx, ty + 1, tz))
        side = kSideAbove;
    if (block.y - m >= q.y && ty - 1 >= 0 && qualifies(world, tx, ty - 1, tz)) side = kSideBelow;
    if (q.z >= block.z + m && tz + 1 <= kWorldSizeZ - 1 && qualifies(world, tx, ty, tz + 1))
        side = kSidePlusZ;
    if (block.z - m >= q.z && tz - 1 >= 0 && qualifies(world, tx, ty, tz - 1)) side = kSideMinusZ;
    state.target.NewBlock = side;
}
