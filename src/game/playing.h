// The Playing update: every control of the game in one fixed order, once per
// frame. It hands back the screen the player asked for and what happened;
// the app changes screens.
#pragma once

#include <cstdint>

#include "game/events.h"
#include "game/frame.h"
#include "game/play.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

enum class PlayRequest : uint8_t {
    Stay,
    Pause,      // Esc
    Inventory,  // I
    Chest,      // a right click opened a chest
    Dead,       // fell to the bottom of the world
};

struct PlayResult {
    // A state change asked for here takes effect from the next update; the
    // rest of this one still runs. When several are asked for, the last one stands.
    PlayRequest request = PlayRequest::Stay;
    // F4 is held: the app saves a screenshot of the frame last shown.
    bool screenshot = false;
    Events events;
};

// F5 changes the view distance: `options` and `settings` are the player's.
PlayResult updatePlaying(World& world, Play& play, Options& options, Settings& settings,
                         const Frame& frame, ActionGate& gate);

// A world was made or loaded: the player at the centre column, nothing
// targeted, no dig, the first hotbar cell, the display on, the crafting
// cursor at 0, nothing of the previous world's day carried over. The keys'
// own clocks, the panel and the item screens' cursor keep running.
void startPlayingWorld(const World& world, Play& play);
// Back from the pause menu: the jump clock runs again, the crafting cursor at 0.
void resumeFromPause(Play& play, int32_t now);
