// The player: eye position, camera angles and the vertical-motion clock of
// jumps and falls.
#pragma once

#include <cstdint>

#include "world/geometry.h"

struct Player {
    Vec3 Position{500.0f, 105.0f, 500.0f};  // eye point
    float xzRotCamera = 0.0f;  // turn, radians
    float yRotCamera = 0.0f;   // pitch, radians, within +-1.5707964
    // Jumps and falls are timed in closed form from this start time; while a
    // menu is open it holds the time already spent instead (see holdJumpClock).
    int32_t verticalStart = 0;
    bool airborne = false;  // a jump or fall is under way
    bool rising = false;    // ... and it is a jump still going up
    float verticalBaseY = 0.0f;  // height at which the current jump or fall began
};

extern Player player;

// Leaving Playing for a menu: keep only the time already spent in the motion.
void holdJumpClock();
// Back in Playing: time spent in the menu does not count.
void resumeJumpClock();
void cancelVerticalMotion();

// A world was made or loaded: the player stands on the centre column, eye
// five above its highest solid cell.
void placePlayerInNewWorld();
// Back at the world's centre after dying, looking straight ahead; the
// inventory and the grid stay as they are.
void respawnPlayer();
// Leaving a world for the main menu: camera straight ahead, motion stopped.
void leaveWorld();

void resetPlayer();
