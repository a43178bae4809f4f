// The player: the eye position, the camera angles, this frame's speed and the
// vertical-motion clock of jumps and falls. player.cpp places, turns and
// respawns the player; movement.cpp walks, jumps and falls it. Together they
// are the only writers of a Player.
#pragma once

#include <cstdint>

#include "world/geometry.h"
#include "world/world.h"

// Pitch stops at a quarter turn up or down (pi / 2 rounded to float).
inline constexpr float kPitchLimit = 1.5707964f;
// Mouse units per radian of turn.
inline constexpr float kMouseUnitsPerRadian = 750.0f;

struct Player {
    Vec3 Position{500.0f, 105.0f, 500.0f};  // eye point
    float xzRotCamera = 0.0f;               // turn, radians; walking goes along (sin, cos) in x-z
    float yRotCamera = 0.0f;  // pitch, radians, within +-kPitchLimit; positive looks up
    int32_t moveSpeed = 0;    // this frame's speed value: elapsed ms x 1.1 (1.5 running)

    // Jumps and falls are closed-form functions of the time since the current
    // upward or downward part began. While a menu is open airStartTime holds
    // the time already spent instead (see holdJumpClock).
    bool canJump = true;         // false only in the update after the head hit a ceiling
    bool airborne = false;       // false: a new jump or fall starts in the next update
    bool rising = false;         // the upward part of a jump
    int32_t airStartTime = 0;    // frame time the current part began
    float airBaseHeight = 0.0f;  // eye height at airStartTime
    float airOffset = 0.0f;      // height above (below, when falling) airBaseHeight

    // Footsteps: the distance walked on the ground since the last step.
    float strideWalked = 0.0f;
};

// Turns the camera by this frame's mouse motion; the pitch stops at the limit.
// Turns the view by mouse motion; `sensitivity` 1..19 makes each step a
// quarter faster than the one below, and 10 is the game's own turn rate.
void lookAround(Player& player, int32_t mouseDeltaX, int32_t mouseDeltaY, int sensitivity = 10);
float mouseTurnFactor(int sensitivity);

// Leaving Playing for a menu: keep only the time already spent in the motion.
void holdJumpClock(Player& player, int32_t now);
// Back in Playing: time spent in the menu does not count.
void resumeJumpClock(Player& player, int32_t now);
void cancelVerticalMotion(Player& player);

// A world was made or loaded: the player stands on the centre column, eye
// five above its highest solid cell, with no jump or fall under way.
void placePlayerInNewWorld(const World& world, Player& player);
// Back at the world's centre after dying, looking straight ahead; the
// inventory and the grid stay as they are.
void respawnPlayer(const World& world, Player& player);
// Leaving a world for the main menu: camera straight ahead, motion stopped.
void leaveWorld(Player& player);
