// Placing: a right click puts the hotbar cell's block into the grid beside
// the targeted face (turning furnaces, chests and torches to suit the face),
// or opens the targeted chest.
#pragma once

#include "game/events.h"
#include "game/frame.h"
#include "game/play.h"
#include "world/world.h"

enum class PlaceResult : unsigned char {
    Nothing,      // refused, or nothing targeted
    Placed,       // a block went into the grid (it may have come straight back)
    OpenedChest,  // the chest screen is to open
};

// One accepted right click in the Playing update. A block that stays in the
// grid is a Placed event, an opened chest ChestOpened.
PlaceResult placeOrOpen(World& world, Play& play, const Frame& frame, ActionGate& gate,
                        Events& events);
