#include "game/player.h"

#include "game/frame_clock.h"
#include "world/generation.h"
#include "world/world.h"

Player player;

void lookAround(int32_t mouseDeltaX, int32_t mouseDeltaY) {
    player.xzRotCamera += float(mouseDeltaX) / kMouseUnitsPerRadian;
    player.yRotCamera += float(-mouseDeltaY) / kMouseUnitsPerRadian;
    if (player.yRotCamera > kPitchLimit)
        player.yRotCamera = kPitchLimit;
    else if (player.yRotCamera < -kPitchLimit)
        player.yRotCamera = -kPitchLimit;
}

void holdJumpClock() {
    player.airStartTime = frameClock.frameTime - player.airStartTime;
}
void resumeJumpClock() {
    player.airStartTime = frameClock.frameTime - player.airStartTime;
}
void cancelVerticalMotion() {
    player.airborne = player.rising = false;
}

void placePlayerInNewWorld() {
    player.Position = Vec3{float(kSpawnColumnX), spawnEyeHeight(kSpawnColumnX, kSpawnColumnZ),
                           float(kSpawnColumnZ)};
    // A jump of the previous world must not carry its base height over.
    cancelVerticalMotion();
    player.airOffset = 0.0f;
}

void respawnPlayer() {
    placePlayerInNewWorld();
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
}

void leaveWorld() {
    player.xzRotCamera = 0.0f;
    player.yRotCamera = 0.0f;
    cancelVerticalMotion();
}

void resetPlayer() {
    player = Player{};
}
