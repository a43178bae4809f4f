#include "game/player.h"

#include "world/generation.h"
#include "world/world.h"

void lookAround(Player& player, int32_t mouseDeltaX, int32_t mouseDeltaY) {
    player.xzRotCamera += float(mouseDeltaX) / kMouseUnitsPerRadian;
    player.yRotCamera += float(-mouseDeltaY) / kMouseUnitsPerRadian;
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

void placePlayerInNewWorld(Player& player) {
    player.Position = Vec3{float(kSpawnColumnX), spawnEyeHeight(kSpawnColumnX, kSpawnColumnZ),
                           float(kSpawnColumnZ)};
    // A jump of the previous world must not carry its base height over.
    cancelVerticalMotion(player);
    player.airOffset = 0.0f;
}

void respawnPlayer(Player& player) {
    placePlayerInNewWorld(player);
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
}

void leaveWorld(Player& player) {
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
    cancelVerticalMotion(player);
}
