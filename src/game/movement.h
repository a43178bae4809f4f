// Moving the player: walking with collision, one axis at a time with a fixed
// back-off search, and jumping and falling as closed-form functions of time,
// with landing, head bumps and death at the bottom of the world. Writes the
// player's position and vertical-motion values (see player.h).
#pragma once

#include "game/events.h"
#include "game/frame.h"
#include "game/player.h"
#include "world/world.h"

// Eye height at or below which the player has fallen out of the world.
inline constexpr float kDeathHeight = -100.0f;

// W, S, A, D and Q for this frame's elapsed time: forward or back first, then
// sideways, each step resolved z first, then x. Returns how far the body
// moved across the ground.
float walk(const World& world, Player& player, const Frame& frame);
// Space starts a jump when standing; otherwise the player falls. Landing puts
// the feet back on the block below, a head bump puts the head back under
// the ceiling. A jump and a landing from more than a quarter block are events.
void jumpAndFall(const World& world, Player& player, const Frame& frame, Events& events);
// A step event for every stride walked while on the ground, with the block
// under the feet; the stride is walked off whatever the speed, so running
// steps come quicker.
void takeSteps(const World& world, Player& player, float walked, Events& events);
// True, with any jump or fall stopped, once the eye is at or below kDeathHeight.
bool fellOutOfWorld(Player& player);
