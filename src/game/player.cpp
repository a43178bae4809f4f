#include "game/player.h"

#include "game/frame_clock.h"
#include "world/generation.h"
#include "world/world.h"

Player player;

void holdJumpClock() { player.verticalStart = frameClock.frameTime - player.verticalStart; }
void resumeJumpClock() { player.verticalStart = frameClock.frameTime - player.verticalStart; }
void cancelVerticalMotion() { player.airborne = player.rising = false; }

void placePlayerInNewWorld() {
    player.Position = Vec3{float(kSpawnColumnX), spawnEyeHeight(kSpawnColumnX, kSpawnColumnZ),
                           float(kSpawnColumnZ)};
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

void resetPlayer() { player = Player{}; }
