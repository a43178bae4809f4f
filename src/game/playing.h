// The Playing update: every control of the game in one fixed order, once per
// frame. It reports the screen the player asked for; the app changes screens.
#pragma once

#include <cstdint>

enum class PlayRequest : uint8_t {
    Stay,
    Pause,      // Esc
    Inventory,  // I
    Chest,      // a right click opened a chest
    Dead,       // fell to the bottom of the world
};

// A state change asked for here takes effect from the next update; the rest
// of this one still runs. When several are asked for, the last one stands.
PlayRequest updatePlaying();

// A world was made or loaded: the player at the centre column, nothing
// targeted, the first hotbar cell, the display on, the crafting cursor at 0,
// the sky as bright as the world's time of day.
void startPlayingWorld();
// Back from the pause menu: the jump clock runs again, the crafting cursor at 0.
void resumeFromPause();
