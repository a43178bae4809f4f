#include "game/player.h"

#include <algorithm>
#include <cmath>

#include "world/generation.h"
#include "world/world.h"

float mouseTurnFactor(int sensitivity) {
    return std::pow(1.25f, float(std::clamp(sensitivity, 1, 19) - 10));
}

void lookAround(Player& player, int32_t mouseDeltaX, int32_t mouseDeltaY, int sensitivity) {
    const float turn = mouseTurnFactor(sensitivity);
    player.xzRotCamera += float(mouseDeltaX) * turn / kMouseUnitsPerRadian;
    player.yRotCamera += float(-mouseDeltaY) * turn / kMouseUnitsPerRadian;
    if (player.yRotCamera > kPitchLimit)
        player.yRotCamera = kPitchLimit;
    else if (player.yRotCamera < -kPitchLimit)
        player.yRotCamera = -kPitchLimit;
}

void holdJumpClock(Player& player, int32_t now) {
    player.airStartTime = now - player.airStartTime;
}
void resumeJumpClock(Player& player, int32_t now) {
    player.airStartTime = now - player.airStartTime;
}
void cancelVerticalMotion(Player& player) {
    player.airborne = player.rising = false;
}

void placePlayerInNewWorld(const World& world, Player& player) {
    player.Position =
        Vec3{float(kSpawnColumnX), spawnEyeHeight(world, kSpawnColumnX, kSpawnColumnZ),
             float(kSpawnColumnZ)};
    // A jump of the previous world must not carry its base height over.
    cancelVerticalMotion(player);
    player.airOffset = 0.0f;
}

void respawnPlayer(const World& world, Player& player) {
    placePlayerInNewWorld(world, player);
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
}

void leaveWorld(Player& player) {
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
    cancelVerticalMotion(player);
}
